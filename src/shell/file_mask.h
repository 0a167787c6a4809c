// MatchesFileMask: a file name against a mask of "*" and "?" wildcards, without regard to case.
#pragma once

#include <QString>

// "*" stands for any run of characters, "?" for one; other characters match themselves without
// regard to case. A mask holding "/" names another folder and matches nothing.
bool MatchesFileMask(const QString& Name, const QString& Mask);
