// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

namespace soruberia::platform {

// A key held down is repeated by the X server, by default as a release and
// a new press each time. Qt takes such a pair for a repeat only when the
// press has already arrived as it reads the release; when it comes late, a
// held Space clicks the focused button again and again. Asked for
// detectable repeat, the server sends the presses alone until the key comes
// up, so that one press of a key is one press of a button. Nothing happens
// on other window systems. Call once the application exists.
void AskForDetectableKeyRepeat();

}  // namespace soruberia::platform
