// Steps of scripted prompts that answer the one-line input prompt.
#pragma once

#include "support/scripted_prompts.h"

#include <optional>

// Answers the input prompt with Answer (OK), or cancels it when Answer is empty; the window's
// caption and prompt text are appended to Seen.
TScriptedPrompts::TStep AnswerInput(std::optional<QString> Answer, QStringList* Seen = nullptr);
