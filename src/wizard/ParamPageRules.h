// Rules of the 3G Parameter Settings page that need no window: which groups the send option, the
// operator mode and the remote control enable and fill, what each list choice does to the record,
// which edits a send option empties and what "Next Page" copies. The page's model applies them.
#pragma once

#include "sendset/SendSet.h"

#include <cstddef>
#include <cstdint>
#include <string>

// The page's edits, in the order of their groups.
enum ParamEdit {
    PE_MMS_URL,
    PE_MMS_APN,
    PE_MMS_GATEWAY,
    PE_MMS_PORT,
    PE_MMS_ACCOUNT,
    PE_MMS_PASSWORD,
    PE_NET_APN,
    PE_NET_ACCOUNT,
    PE_NET_PASSWORD,
    PE_SENDER_SERVER,
    PE_SENDER_PORT,
    PE_SENDER_ADDRESS,
    PE_SENDER_USER,
    PE_SENDER_PASSWORD,
    PE_FTP_SERVER, // the cloud's App key in the cloud layout
    PE_FTP_PORT,   // the App secret
    PE_FTP_USER,   // the SIM card number
    PE_FTP_PASSWORD,
    PE_FTP_DIR,
    PARAM_EDIT_COUNT
};

// Groups of edits, as bits.
enum ParamEditGroup : unsigned {
    PEG_MMS = 1u << 0,
    PEG_NET = 1u << 1,    // the 3G network APN, account and password
    PEG_SENDER = 1u << 2, // the sender mailbox; the user name edit is never enabled
    PEG_FTP = 1u << 3,    // the FTP group's edits and directory list (or the cloud's)
};

ParamEditGroup GroupOfEdit(ParamEdit edit);

// Layout of the FTP group: the FTP server's fields or the cloud account's.
enum FtpEditUse { FTP_EDIT_FTP = 0, FTP_EDIT_CLOUD = 1 };

// What the page's controls show for a record.
struct ParamPageState {
    int iSendOptionItem;     // selection of the send option list
    bool bModeListEnabled;   // the parameter mode list
    bool bFillOperatorLists; // bring the mode, country and operator lists into line with the
                             // record; otherwise they are disabled and their contents untouched
    bool bManual;            // manual input: lists show "Others", edits show their text plainly
    unsigned uEnabled;       // edit groups enabled
    unsigned uShowRecord;    // edit groups that get the record's texts
    bool bLoad3GPresets;     // load the 3G presets of the lists' row into the record first
    bool bFtpDirEditEnabled; // the directory edit, within an enabled FTP group
    bool bFtpDirToRoot;      // the record's directory becomes "/" (directory type "Root")
    bool bFtpGroupShown;     // the FTP group is visible
};

// The state for a record. ftpGroupShown tells whether a send option other than "Close 3G" has
// been applied before in this run (the FTP group then stays visible under "Close 3G").
ParamPageState ParamPageStateOf(const SendSet& rec, bool noRemoteCmd22, bool ftpGroupShown);

// Whether page 1, opened on the record, loads the first row's presets at Next Page: with "Close
// 3G" its lists are neither refilled nor enabled, so a record in manual input opens showing
// "Select Operator" and the first row of the lists, and Next Page loads that row's MMS and 3G
// presets in place of the ones typed.
bool OpeningLoadsFirstRowPresets(const SendSet& rec);

// What the page repairs in the record at every opening, before its state update: a country
// above 43 or an operator above 8 becomes 0, and the basic models send thumbnails.
void PrepareParamPageRecord(SendSet& rec, bool basicModel);
// The basic models send thumbnails only: the page sets them at opening, and page 2 keeps its
// image size list disabled.
void KeepBasicModelThumbnails(SendSet& rec, bool basicModel);
// The edit groups that get the record's texts at opening, after the state update: the MMS edits
// for MMS; the 3G and sender mailbox edits for Email, or while remote control is on.
unsigned GroupsShownAtOpening(const SendSet& rec);

// What the state update does to the record, with the country and operator lists' selections.
void ApplyParamPageState(SendSet& rec, const ParamPageState& state, int countryItem,
                         int operatorItem);

// The operator list's selection for the record: byOperator while the country offers it, else
// none (-1), which the preset lookups read as the country's first slot.
int OperatorListItem(const SendSet& rec);

// Choosing send option `index`: sets bySendBy and returns the edit groups whose texts are
// emptied (the record keeps its values). The FTP group then takes the layout FtpLayoutOf gives.
unsigned ChooseSendOption(SendSet& rec, int index);
bool SendOptionSetsFtpLayout(int index);
FtpEditUse FtpLayoutOf(int index);

// Choosing in the parameter mode list. The lists' selections at the moment are given for the
// preset lookups. Returns what changed.
enum class ParamModeChange { None, ToPresets, ToManual };
ParamModeChange ChooseParamMode(SendSet& rec, int index, int countryItem, int operatorItem);

// Choosing a country or an operator: false when it is the one already chosen, else the choice is
// stored (a new country starts at its first operator). The page then loads the presets of the
// lists' row: after its state update for a country, at once for an operator.
bool ChooseCountry(SendSet& rec, int index);
bool ChooseOperator(SendSet& rec, int index);
// The MMS and 3G presets of the lists' row (country item, operator item) into the record.
void LoadPresetsOfRow(SendSet& rec, int countryItem, int operatorItem);

// The sender's user name edit follows the address edit while the address is not empty; clearing
// the address leaves the user name as it was.
bool SenderUserNameFollows(const std::string& address);

// Choosing the FTP directory type: "Root" (0) sets the directory to "/".
void ChooseFtpDirType(SendSet& rec, int index);

// The record field an edit shows and fills: a text with its capacity, or a port.
struct ParamEditField {
    char* text;       // null for a port
    size_t capacity;  // bytes of the text field, terminator included
    size_t takeBytes; // "Next Page" stores at most this many bytes (0: capacity - 1)
    int32_t* port;    // the integer port, for the two port edits of the FTP and sender groups
};
// Null fields (text and port) for an edit that has no field in the layout (the cloud layout's
// password and directory).
ParamEditField FieldOfEdit(SendSet& rec, ParamEdit edit, FtpEditUse layout);
// The text an edit shows for the record: ports as decimal text, empty when 0.
std::string RecordTextOfEdit(const SendSet& rec, ParamEdit edit, FtpEditUse layout);

// The page as "Next Page" reads it.
struct ParamPageEntries {
    std::string sText[PARAM_EDIT_COUNT]; // the edits' texts, as the record's bytes
    int iModeItem = 0;                   // parameter mode list: 0 presets, 1 manual input
    int iCountryItem = 0;                // country and operator lists' selections
    int iOperatorItem = 0;
    int iFtpDirTypeItem = -1; // -1: no selection, the type stays
};

// "Next Page": in preset mode the presets of the lists' row are loaded, in manual input the MMS
// edits are taken; the 3G edits whenever they are enabled, and with Email or remote control
// also the sender mailbox; the FTP or cloud edits for those options.
void TakeParamPageEntries(SendSet& rec, const ParamPageEntries& entries, bool noRemoteCmd22);

// The leading decimal digits of a text; false when it starts with none.
bool LeadingNumber(const std::string& text, long* value);

// The page itself, which applies these rules, for those who include the rules alone.
#include "wizard/ParamPageModel.h"
