// Stand-ins for the peers this build was made without.
#include "PeerLibrary.h"

#ifndef ZARNOTH_HAVE_FCL
std::unique_ptr<PeerLibrary> makeFclLibrary() { return nullptr; }
#endif
#ifndef ZARNOTH_HAVE_ODE
std::unique_ptr<PeerLibrary> makeOdeLibrary() { return nullptr; }
#endif
