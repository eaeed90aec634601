#include "windows/state_changes.hpp"
