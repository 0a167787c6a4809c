// PickFolder: the one place the program asks the user for a folder, with a replaceable picker.
#pragma once

#include <QString>
#include <functional>

// Asks for a folder with the window title Caption, starting in Folder; true with the chosen
// folder in Folder, false (Folder unchanged) when the user cancelled.
using TFolderPicker = std::function<bool(const QString& Caption, QString& Folder)>;

// Runs the picker in use. The default is Qt's folder dialog, shown through the prompt service.
bool PickFolder(const QString& Caption, QString& Folder);
// Installs Picker (empty restores the default) and returns the one installed before.
TFolderPicker SetFolderPicker(TFolderPicker Picker);
