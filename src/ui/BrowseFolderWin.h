// "Browse": the user picks the save folder with the system's folder dialog.
#pragma once

#include <windows.h>

#include <string>

// What the folder dialog gave: nothing, a folder the code page (CP_ACP: the system's) spells
// exactly, in *bytes, or a folder it cannot spell.
enum class FolderPick { Cancelled, Spelled, Unspelled };
FolderPick PickFolder(HWND owner, std::string* bytes);

// A folder the user chose (its wide path) becomes the save folder when the code page (CP_ACP:
// the system's) spells it exactly in at most 259 bytes; otherwise a warning tells the user it
// cannot be used and the save folder stays as it was. Returns whether it became the save folder.
bool UseChosenFolder(HWND owner, const wchar_t* path, UINT codePage);
