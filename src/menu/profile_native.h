// What builds without Windows must tell their own profile functions (storage.h).
#pragma once

#include "text/ansi_text.h"

namespace ostrel::profile {

// Profiles are text of the code page with these lead bytes: no double-byte character
// in a section or key name folds case. Until this is called, every byte is a character.
void SetLeadBytes(const LeadByteTable& lead);

} // namespace ostrel::profile
