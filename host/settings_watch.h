// The watch on the display-settings dialog: whether it still has this screen saver
// selected.
#pragma once

#include <string>

#include "core/bool16.h"
#include "core/dialog_patience.h"
#include "forms/win.h"

namespace zelvane {

// How long the watch waits for one answer of the dialog, which belongs to another process:
// long enough for a busy dialog, short enough that a hung one holds a pass up only briefly.
inline constexpr UINT kDialogAnswerTimeoutMs = 500;

// kSelected when a combo box on the dialog's screen-saver page has an entry selected that
// names `saverName`, ignoring case. Without a page whose text contains "Screen saver" (a
// dialog in another language) the lists of every page and of the dialog itself count.
// kNoAnswer when a list did not answer within kDialogAnswerTimeoutMs. With `lastList`, a
// watch asked again and again: the list that had the saver selected is kept there and
// asked alone the next time, and the dialog is looked through again only when it no
// longer has.
DialogAnswer SaverSelection(HWND hDialog, const std::string& saverName, HWND* lastList = nullptr);

// True when SaverSelection answers kSelected.
Bool16 IsSaverSelected(HWND hDialog, const std::string& saverName);

// What ReadSelectedEntry answers besides a length.
inline constexpr int kNoEntry = -1;     // nothing selected, or the entry is too long
inline constexpr int kListSilent = -2;  // the list did not answer in time

// The entry selected in `list`, a combo box of another process, read into `buffer` of
// `chars` characters and ended with a NUL: its length, kNoEntry when nothing is selected or
// the entry leaves no character of the buffer to spare, kListSilent when the list did not
// answer a question within kDialogAnswerTimeoutMs. Nothing is written past the buffer,
// whatever the other process answers or changes between two questions.
int ReadSelectedEntry(HWND list, wchar_t* buffer, int chars);

}  // namespace zelvane
