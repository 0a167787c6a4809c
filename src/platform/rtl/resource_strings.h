// The program's numbered string table: messages and names that code loads by number.
#pragma once

#include <QString>

// The text of string Ident; empty when the table has no such string.
QString LoadStr(int Ident);
