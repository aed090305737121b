// The record field behind each edit of the two wizard pages: views of the record's field list
// (kSendSetFields, its rows' page and control), from which the pages take their edits' text
// limits and allowed characters, and the tests hold the pages to it.
#pragma once

#include <cstddef>

struct WizardEditField {
    int id;            // the edit's control id
    const char* field; // its field's name in kSendSetFields
};

// Page 1, with the FTP group in its FTP layout.
extern const WizardEditField* const kParamPageEditFields;
extern const size_t kParamPageEditFieldCount;
// The FTP group's edits that the cloud layout gives other fields.
extern const WizardEditField* const kCloudEditFields;
extern const size_t kCloudEditFieldCount;
// Page 2; the four recipient edits come first, in slot order.
extern const WizardEditField* const kSendPageEditFields;
extern const size_t kSendPageEditFieldCount;
