// Small Win32 helpers: UTF-8 texts and ANSI record fields in and out of controls.
#pragma once

#include "wizard/DialogView.h"

#include <windows.h>

#include <cstddef>
#include <string>

std::wstring Utf8ToWide(const char* utf8);
std::string WideToUtf8(const wchar_t* wide);

// Conversions between the wide API and a code page; CP_ACP is the system's ANSI code page, which
// is UTF-8 (65001) on a Windows set to "Use Unicode UTF-8 for worldwide language support".
std::wstring CodePageToWide(const char* bytes, size_t len, UINT codePage);
// The text in the code page, in at most maxBytes bytes, never ending in a split character; a
// character the code page lacks becomes its default character.
std::string WideToCodePage(const std::wstring& wide, UINT codePage, size_t maxBytes);
// The exact form of the text in the code page; false when some character has none there.
bool WideToCodePageExact(const wchar_t* wide, UINT codePage, std::string& out);

void SetWindowTextUtf8(HWND wnd, const char* utf8);
void SetDlgItemTextUtf8(HWND dlg, int id, const char* utf8);
std::string GetDlgItemTextUtf8(HWND dlg, int id);

// A record text field holds bytes of the system ANSI code page, possibly without a terminator.
// Shows at most capacity bytes of it (up to its terminator).
void SetDlgItemField(HWND dlg, int id, const char* field, size_t capacity);

// Takes the control's text into field through the ANSI code page: at most maxBytes bytes
// (capacity - 1 when 0), never a split double-byte character, always terminated, the rest of the
// field zeroed. Returns the number of bytes stored.
size_t GetDlgItemField(HWND dlg, int id, char* field, size_t capacity, size_t maxBytes = 0);

// The control's text as a decimal number: the value of its leading digits; false when it has none.
bool GetDlgItemNumber(HWND dlg, int id, long* value);

// Combo boxes.
void ComboReset(HWND dlg, int id);
void ComboAddUtf8(HWND dlg, int id, const char* utf8);
int ComboGetSel(HWND dlg, int id);
// What a combo box's notification code tells its window.
ListNotice ListNoticeOf(int code);
// Widens a combo box's drop-down list (not the box) so that its longest item shows in full.
void ComboFitDroppedWidth(HWND dlg, int id);
void ComboSetSel(HWND dlg, int id, int index);

// Initialises the common controls and runs a dialog template modally, without owner; the
// dialog's result, or -1 when it cannot be created.
int RunModalDialog(HINSTANCE instance, int templateId, DLGPROC proc);

// Sets the window's small icon from an icon group resource.
void SetSmallIcon(HWND wnd, int iconId);

void EnableDlgItem(HWND dlg, int id, bool enable);
void ShowDlgItem(HWND dlg, int id, bool show);
