#pragma once

// The session bus as the plug-in leaves it to its host. libdconf reaches
// the bus (to watch the settings and to write them) through the process's
// shared connection, and that connection ends the process by default when
// the bus goes away. A host that had not connected to the bus itself did
// not ask for that: for it the shared connection is made here, kept for
// the life of the process, and told not to end it. A host that has (its
// GApplication is registered on the bus) keeps its connection as it is.
void keepBusLossFromEndingHost();
