#pragma once

// The file that keeps the portal's restore token between runs. The token lets whoever reads it
// share the user's screen without asking, so it is kept as private as the user's other secrets:
// the file 0600 in a folder 0700, and nothing else at its path is ever followed, waited on or
// written through. POSIX only, no Qt; the path is the caller's, so it is tested in a temporary
// folder.

#include <optional>
#include <string>
#include <string_view>

namespace host::portal {

// The token kept at `path`: read only from a regular file of at most 4 KiB, opened without
// following a link and without waiting (a FIFO there is not read). A link, FIFO, folder or
// anything else at the path, or a file that parseRestoreToken does not take, is no token.
std::optional<std::string> readTokenFile(const std::string& path);

// Keeps `token` (one that parseRestoreToken takes) at `path`, whole or not at all: missing
// folders are made 0700 (the token's own folder is made 0700 if it is not), the text goes to a
// 0600 temporary file beside it, which is then renamed over the path. Anything but a regular
// file at the path (a link, a FIFO, a folder) is left as it is and the token is not kept: the
// desktop asks again next time. False when the token was not kept.
bool writeTokenFile(const std::string& path, std::string_view token);

// Removes the token file at `path` where it is a regular file; anything else there stays.
void forgetTokenFile(const std::string& path);

}  // namespace host::portal
