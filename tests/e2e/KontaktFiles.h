#pragma once

#include <string>

// Small files of each kind that Pindrel reads, built byte by byte; each comment gives the
// version that Pindrel finds in it.
namespace e2e::kontakt {

std::string ForwardHeader();  // "Kon3" at 20: 5.0.2.10
std::string ReversedHeader(); // "3noK" at 20: 10.2.0.5
std::string HsinTail();       // "hsin" at 12, "5noK" in the last 512 bytes: 5.0.2.255
std::string SignatureTail();  // the 16-byte signature, "6noK" in the last 512 bytes: 6.8.0.4
std::string Unrecognised();   // no tag anywhere

} // namespace e2e::kontakt
