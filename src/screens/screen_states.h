// Every screen around the levels, for the game object that makes them.
#pragma once

#include "screens/credit_screen.h"
#include "screens/end_of_run_screen.h"
#include "screens/front_end.h"
#include "screens/high_score_screen.h"
#include "screens/instructions_screen.h"
#include "screens/intro_screen.h"
#include "screens/logo_screen.h"
#include "screens/option_screen.h"
#include "screens/pause_screen.h"
#include "screens/title_screen.h"
#include "screens/upgrade_screen.h"
