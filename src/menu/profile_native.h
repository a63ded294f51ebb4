// What builds without Windows must tell their own profile functions (storage.h).
#pragma once

#include <string>

#include "text/ansi_text.h"

namespace ostrel::profile {

// Profiles are text of the code page with these lead bytes: no double-byte character
// in a section or key name folds case. Until this is called, every byte is a character.
void SetLeadBytes(const LeadByteTable& lead);
// From now on the profile functions read this text as the file's, and not the file: the
// menu checker reads its menu once, within its limit, converted from UTF-16 where it is.
void UseText(const std::string& file, const std::string& bytes);

} // namespace ostrel::profile
