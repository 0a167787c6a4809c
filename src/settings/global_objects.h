// The program's global settings objects (the settings, server profiles, firewall entries and
// bookmarks): each is made and loaded on first use and freed, saving itself, at program end.
#pragma once

#include "routines/free_and_nil.h"

// The common body of their accessors: with Flag 1, frees Instance (clearing it first) and gives
// null; with any other Flag, gives Instance, made by Make on the first call.
template <class T, class Maker> T* GlobalObject(T*& Instance, int Flag, Maker Make)
{
    if (Flag == 1) {
        FreeAndNil(Instance);
        return nullptr;
    }
    if (!Instance)
        Instance = Make();
    return Instance;
}

// Frees the settings object, then the server profiles, the firewall entries and the bookmarks;
// each saves itself to the registry as it goes. Called once, at program end.
void FreeGlobalSettings();
