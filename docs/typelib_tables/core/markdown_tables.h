// The generated part of the page author's guide for one control: its
// identities, the markup that embeds it, and one table per interface.
#pragma once

#include "typelib_model.h"

#include <string>

// objectId is the id the markup example gives the <object> element.
std::string MarkdownTables(const TypeLibrary& library, const std::string& objectId);
