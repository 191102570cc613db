#include "Logic/Logic.h"

// Stand-in until the info-code box is built: the task file's box is ignored.
int CLogic::LoadInfoCodeEditBox(const TiXmlElement*) { return 1; }
