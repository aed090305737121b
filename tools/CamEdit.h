// Changing a camera record by field name, the way the forms change it: choosing a country or
// operator loads its presets, the remote interval sets the remote switch, a recipient sets its
// length, and a written record carries the time it was made.
#pragma once

#include "CamFields.h"
#include "wizard/GenerateChecks.h"

#include <string>
#include <vector>

struct Assignment {
    std::string field;
    std::string value;
};

struct EditOptions {
    bool keepTime = false;      // keep CFG.BIN's time stamp and menu.dat's clock as they stand
    GenerateClock now{};        // this computer's local time
    bool noRemoteCmd22 = false; // as if "Do not use remote command - 22" were checked
    bool basicModel = false;    // as if a basic model were chosen: thumbnails only
};

// Splits "FIELD=VALUE" at the first "="; false with a message when there is none.
bool ParseAssignment(const std::string& arg, Assignment* out, std::string* error);

// Applies the assignments the way the dialogs do. A CFG.BIN goes through the program's model
// (AppModel) over rec and a card in memory, with set as its user: "3G Setup", page 1's choices
// and typed edits, "Next Page", page 2's remote interval (and "Previous Page" where it opens
// page 1's edits), page 2's choices and edits, and the record Generate writes, which the card
// takes; the result must be a file the wizard, opened on it and generated unchanged, writes
// again. Returns false with a message naming the field and why at
// the first refusal; rec is then unchanged.
bool ApplyAssignments(CamRecord& rec, const std::vector<Assignment>& list,
                      const EditOptions& options, std::string* error);

// Stamps what every write carries unless the time is kept: CFG.BIN's time stamp, and the clock of
// a camera menu whose clock mode is Auto.
void StampRecord(CamRecord& rec, const EditOptions& options);

// This computer's local date and time.
GenerateClock LocalNow();
