// The list of toolbar commands with standard shortcuts.
#include "QvStandardShortCuts.h"

namespace {
QvListLPQvFirst* s_standardShortCuts = nullptr;
}

QvListLPQvFirst* Get_GlobalListStandardShortCutCommandDef() { return s_standardShortCuts; }
void Set_GlobalListStandardShortCutCommandDef(QvListLPQvFirst* list) { s_standardShortCuts = list; }
