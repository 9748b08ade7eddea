# The registry window and the topmost band of the secondary windows.
target_sources(marvok_ui PRIVATE
    FormReg.cpp FormReg.h
    TopMost.cpp TopMost.h)
