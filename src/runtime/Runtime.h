/** @file Runtime.h Everything of the old runtime's semantics in one include. */
#pragma once
#include "runtime/Clock.h"
#include "runtime/Collection.h"
#include "runtime/Convert.h"
#include "runtime/DateTime.h"
#include "runtime/Random.h"
#include "runtime/Strings.h"
#include "runtime/VbError.h"
