# The settings window's rules.
target_sources(marvok_core PRIVATE PathOptions.cpp PathOptions.h)
