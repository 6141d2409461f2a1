// Program listing files. Not available yet: both operations raise a forced
// error so that no caller mistakes them for a working save or load.
#include "../numeric/CCalcError.h"
#include "CPrgm.h"

namespace corvel {

void CPrgm::WriteProgram(const std::string&) {
    throw CCalcError(enmErrKind::Forced, "writing program listings is not available yet");
}

void CPrgm::ReadProgram(const std::string&) {
    throw CCalcError(enmErrKind::Forced, "reading program listings is not available yet");
}

} // namespace corvel
