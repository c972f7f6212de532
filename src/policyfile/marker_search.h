// Finding the time-stamp marker, "TimeStamp = ", in a text.
//
// The writer looks for it in the whole source and the converter in every
// line it reads. A general search stumbles on policy text: the marker ends
// in " = ", which nearly every line holds. This one looks for its "T" and
// its "S" four bytes on, sixteen places a step, and compares the whole
// marker only where both stand.
#ifndef TARVEX_POLICYFILE_MARKER_SEARCH_H_
#define TARVEX_POLICYFILE_MARKER_SEARCH_H_

#include <string_view>

namespace tarvex {

// The offset of the first "TimeStamp = " in `text`, or npos.
std::size_t FindTimeStampMarker(std::string_view text);

}  // namespace tarvex

#endif  // TARVEX_POLICYFILE_MARKER_SEARCH_H_
