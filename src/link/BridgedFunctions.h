#pragma once

#include "BridgeConnection.h"
#include "ConverterLibrary.h"
#include "LinkFunctions.h"

#include <memory>

namespace qmv::bridge {

// Entry points with the maker's signatures whose work is done by a bridge. A process talks to one
// bridged link library and one bridged converter at a time, as it would load each DLL once: the
// connection installed last is the one these functions use. Without one, or once its bridge has
// ended, every operation fails, which the tool sees as an unplugged remote.
//
// The buffers are those the library's callers pass for each operation (tavrio.h): the bridge
// fills one of that size, zero-filled, and the whole of it is copied back.
LinkFunctions bridgedLinkFunctions();
ConvertCodeFunction bridgedConvertCode();

void installLinkBridge(std::shared_ptr<BridgeConnection> connection);
void installConverterBridge(std::shared_ptr<BridgeConnection> connection);
// Uninstalls the connection, unless another has been installed since.
void releaseBridge(const BridgeConnection* connection);

} // namespace qmv::bridge
