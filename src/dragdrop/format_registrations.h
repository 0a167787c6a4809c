// The conversions between the data formats and the clipboard formats of drag and drop, declared
// at start-up and withdrawn at the end.
#pragma once

// Declares the data format classes and their conversions, in the order that gives each data format
// its compatible formats: files CF_HDROP, "Shell IDList Array", "FileNameW", "FileName"; name maps
// "FileNameMapW", "FileNameMap"; item lists "Shell IDList Array", CF_HDROP; text CF_TEXT and
// "FileContents" (a source also the two file group descriptors); streams "FileContents" (target
// only); feedback the six feedback formats, the last declared first.
void DeclareDragDropFormats();
// Withdraws every class DeclareDragDropFormats declared.
void WithdrawDragDropFormats();
