# What keeps a cold build of the tree short on two cores: the headers every file of a target
# parses (the standard library's, Qt's, GoogleTest's) precompiled once per target, and Qt's moc
# run only for the targets that use Qt.
option(P330_PCH "Precompile the headers most files include" ON)

set(P330_STD_HEADERS <algorithm> <array> <cstdint> <filesystem> <functional> <map> <memory>
                     <optional> <string> <string_view> <utility> <vector>)
set(P330_QT_HEADERS <QApplication> <QDir> <QImage> <QKeyEvent> <QLineEdit> <QListWidget>
                    <QMessageBox> <QMouseEvent> <QPainter> <QString> <QTimer> <QWidget> <QWindow>)

# p330_precompile(TARGET [std] [qt] [gtest] [qtest] [split]): those header sets, precompiled for
# TARGET. With split, only where the target's files are compiled one by one (P330_UNITY off): a
# target compiled as one batch parses the headers once anyway, and making the precompiled file
# costs more than it saves.
function(p330_precompile target)
  if(NOT P330_PCH OR (split IN_LIST ARGN AND P330_UNITY))
    return()
  endif()
  set(headers ${P330_STD_HEADERS})
  if(qt IN_LIST ARGN)
    list(APPEND headers ${P330_QT_HEADERS})
  endif()
  if(gtest IN_LIST ARGN)
    list(APPEND headers <gtest/gtest.h>)
  endif()
  if(qtest IN_LIST ARGN)
    list(APPEND headers <QTest>)
  endif()
  target_precompile_headers(${target} PRIVATE ${headers})
endfunction()

# The Qt-free libraries and test programs are compiled a batch of files at a time (one
# translation unit per batch): the standard library's templates are then instantiated and
# optimised once per batch, not once per file. Names local to a file are therefore unique
# within its target.
option(P330_UNITY "Compile the sources of the larger targets in batches" ON)

# p330_unity(TARGET BATCH_SIZE)
function(p330_unity target batch)
  if(P330_UNITY)
    set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE ${batch})
  endif()
endfunction()

# The test programs are compiled for a short build rather than for fast code: what they run
# fast is the product code they link, optimised and hardened as configured. -O0 takes a half
# (gcc's -O2) to a third (clang's -O1 with the sanitizers) of the compile time; the C library
# fortifies its calls only in optimised code, so the tests' own calls go unfortified, which
# guards nothing a user runs anyway. (The product unoptimised as well would halve the sanitizer
# build's time again, but double the CPU time of the command-line tests and the fuzz targets
# under it.)
set(P330_QUICK_OPT -O0)
