#pragma once

// Registers the record forms of cameras, rep paths and frame identifiers with the node
// library. Done once when the library loads; calling it again restores them.
void RegisterRemoteObjectSerializers();
