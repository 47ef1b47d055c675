# The binaries that go to users, by target name. They are built in a tree of
# their own with MinGW's win32 thread model (cmake/ShippedTree.cmake), and the
# import check reads each one's import table (tools/importcheck). A binary that
# ships is one more name here.
set(SETUP_SHIPPED_TARGETS
  setup_exe  # SETUP.EXE
  velmosaver # the sample screen saver
  mkarc      # the archive tool for the product's maker
  ismif32    # the status library for unattended deployments
)
# Of them, those that go on the diskettes: every instruction in them is one a
# 486 executes (cmake/I486Runtime.cmake builds them so, tests/imports checks).
# The programs among them start at WinMain.
set(SETUP_DISKETTE_TARGETS setup_exe velmosaver ismif32)
set(SETUP_DISKETTE_PROGRAMS setup_exe velmosaver)
