#pragma once
// Order templates as customers have them: Word 97-2003 binary templates, which the engine can
// use once LibreOffice has turned them into Office Open XML.

#include <chrono>
#include <string>
#include <vector>

#include "base/result.h"

namespace order {

// Converts a Word 97-2003 template into an Office Open XML document with LibreOffice
// ("soffice", else "libreoffice", looked for on the PATH of `environment`, whose "NAME=value"
// entries it is started with), run without a window, in a profile of its own and for at
// most `timeout`; what it leaves running then is ended. The template is copied into
// `workDir` first, so nothing is ever written beside it; the converted file lies in `workDir`
// too. The path of the converted file, or the reason in the user's words when LibreOffice is
// not installed, fails or takes too long.
base::Result<std::string> ConvertWord97Template(const std::string& templatePath, const std::string& workDir,
                                                const std::vector<std::string>& environment,
                                                std::chrono::milliseconds timeout = std::chrono::seconds(60));

}  // namespace order
