#pragma once
// The catalogue core reports failures with the project's status values.

#include "base/result.h"
#include "base/status.h"

namespace catalogue {
using base::Result;
using base::Status;
}  // namespace catalogue
