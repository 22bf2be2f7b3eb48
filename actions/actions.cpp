#include "actions.h"

namespace vellumino {

void CopySignature(SignatureWindow&) {}
void ClearSignature(SignatureWindow&) {}
void OpenSignaturePage(SignatureWindow&) {}

}  // namespace vellumino
