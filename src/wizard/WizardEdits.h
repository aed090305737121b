// The record field behind each edit of the two wizard pages, by name in the record's field table:
// the pages take their edits' text limits from there, and the tests hold the pages to it.
#pragma once

#include <cstddef>

struct WizardEditField {
    int id;            // the edit's control id
    const char* field; // its field's name in kSendSetFieldLimits
};

// Page 1, with the FTP group in its FTP layout.
extern const WizardEditField kParamPageEditFields[];
extern const size_t kParamPageEditFieldCount;
// The FTP group's edits that the cloud layout gives other fields.
extern const WizardEditField kCloudEditFields[];
extern const size_t kCloudEditFieldCount;
// Page 2; the four recipient edits come first, in slot order.
extern const WizardEditField kSendPageEditFields[];
extern const size_t kSendPageEditFieldCount;
