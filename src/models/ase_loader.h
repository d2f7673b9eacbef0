#pragma once

#include <string>

#include "assets/token_reader.h"
#include "models/model.h"

enum class AseLoadResult { Loaded, Missing, Damaged };

// Model::loadAse without ending the program. On failure the model is left
// empty and reason (when given) says what was wrong with the file.
AseLoadResult tryLoadAse(Model& model, const std::string& path, std::string* reason = nullptr);
// The same over a reader already holding the text.
bool loadAseFrom(Model& model, TokenReader& reader, std::string* reason = nullptr);

// The message boxes' texts for a model file that cannot be used.
std::string missingModelMessage(const std::string& path);
std::string damagedModelMessage(const std::string& path);
