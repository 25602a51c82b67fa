#include "engine/calcengine.h"

#include <gtest/gtest.h>
