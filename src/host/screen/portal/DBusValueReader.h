#pragma once

#include <QList>
#include <QVariant>
#include <optional>
#include <vector>

#include "host/screen/portal/PortalReply.h"

namespace host::portal {

// The arguments of a D-Bus message as Qt hands them over (basic values as themselves, anything
// nested as a QDBusArgument still to be read), copied into value trees for readResponse. Every
// read is of a type checked first: libdbus aborts the process on a read of another type than the
// message holds. None for what no portal answer holds: nesting deeper than 32, more than 4,096
// values in all, or a type Qt could not read (a file descriptor on a bus that passes none).
std::optional<std::vector<Value>> readDBusArguments(const QList<QVariant>& arguments);

}  // namespace host::portal
