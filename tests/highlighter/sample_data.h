// Inputs for the compressor tests: zeros, text-like and random bytes of any size.
#pragma once

#include <QByteArray>

QByteArray SampleZeros(int size);
// Lines of words from a small vocabulary, indented with spaces: compresses well.
QByteArray SampleText(int size, unsigned seed = 1);
QByteArray SampleRandom(int size, unsigned seed = 1);

// How many random cases a test runs: HFTP_RANDOM_CASES, else Default.
int RandomCases(int Default);
