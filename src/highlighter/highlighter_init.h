// initHighlighter: the highlighter library's start-up work.
#pragma once

// Registers the compiled parser images (":/parsers/<language script>.parser").
void initHighlighter();
