# SPDX-License-Identifier: GPL-3.0-or-later
# Precompiled headers: the standard library and Qt are parsed once per build
# instead of once for every source file. There are three, one for each kind
# of target: plain C++ (the model), Qt without widgets (the lower layers),
# Qt with widgets (the windows). Each is made once by a small target of its
# own and reused by every target of its kind (REUSE_FROM).
#
# A reused header must be made with the flags of the targets that use it
# (optimisation, sanitizers, position-independent code); macros may differ.
# The sanitizer build adds its flags to every target alike. The fuzzers give
# the libraries under test instrumentation of their own: tw_add_fuzzer turns
# the precompiled header off for those. The sound libraries' own flags
# (-pthread, -D_XOPEN_SOURCE=600) clash with it too: tw_audio and its test
# parse their headers themselves.
#
# With ccache, precompiled headers need CCACHE_SLOPPINESS to include
# pch_defines,time_macros (the Makefile and .ci/run set it); without it every
# compilation is a cache miss, though still correct.
# Off by default: the headers are made inside each build folder, so their
# compilations miss the cache of a build in another folder (a fresh clone),
# which then costs more than the parsing they save. Turn it on for a build
# folder of your own that you rebuild often.
option(TARNWAKE_PCH "Precompile the standard library and Qt headers" OFF)

set(TW_PCH_STD
    <algorithm> <array> <chrono> <cstdint> <functional> <map> <memory>
    <optional> <string> <string_view> <utility> <vector>)
set(TW_PCH_CORE ${TW_PCH_STD}
    <QByteArray> <QByteArrayView> <QDateTime> <QDir> <QFile> <QFileInfo>
    <QList> <QObject> <QString> <QStringList> <QStringView> <QTimer> <QtGlobal>)
set(TW_PCH_WIDGETS ${TW_PCH_CORE}
    <QApplication> <QCloseEvent> <QDialog> <QGroupBox> <QKeyEvent> <QLabel>
    <QLineEdit> <QPainter> <QPixmap> <QToolButton> <QWidget>)

if(TARNWAKE_PCH)
  file(WRITE ${CMAKE_BINARY_DIR}/tw_pch.cpp "// Only makes the precompiled header.\n")
  # tw_pch_<kind>: the target that makes the header of that kind. It links
  # no more of Qt than the kind needs, so that its macros are a subset of
  # every user's.
  foreach(kind std core widgets)
    add_library(tw_pch_${kind} OBJECT ${CMAKE_BINARY_DIR}/tw_pch.cpp)
    set_target_properties(tw_pch_${kind} PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
    string(TOUPPER ${kind} list)
    target_precompile_headers(tw_pch_${kind} PRIVATE ${TW_PCH_${list}})
    if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
      # ccache caches a clang header only without the time stamp in it.
      target_compile_options(tw_pch_${kind} PRIVATE -Xclang -fno-pch-timestamp)
    else()
      # gcc's predefined macros follow -Wpedantic (__cpp_runtime_arrays), and
      # it refuses a header made with other ones; clang's do not.
      tw_warnings(tw_pch_${kind})
    endif()
  endforeach()
  target_link_libraries(tw_pch_core PRIVATE Qt6::Core)
  target_link_libraries(tw_pch_widgets PRIVATE Qt6::Widgets)
endif()

# tw_precompile(<target> std|core|widgets [OWN]): the target uses the
# precompiled header of that kind. std: no Qt; core: Qt Core (and Gui,
# Network) without widgets; widgets: Qt Widgets. OWN: the target makes a
# header of its own from the same list, for a target whose own flags
# (a library's -D_REENTRANT) gcc would not accept with the shared one.
function(tw_precompile target kind)
  if(NOT kind MATCHES "^(std|core|widgets)$")
    message(FATAL_ERROR "tw_precompile(${target} ${kind}): the kind is std, core or widgets")
  endif()
  if(TARNWAKE_PCH AND ARGV2 STREQUAL "OWN")
    string(TOUPPER ${kind} list)
    target_precompile_headers(${target} PRIVATE ${TW_PCH_${list}})
  elseif(TARNWAKE_PCH)
    target_precompile_headers(${target} REUSE_FROM tw_pch_${kind})
  endif()
  if(TARNWAKE_PCH)
    # gcc passes over a header it cannot use; this makes that an error.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
      target_compile_options(${target} PRIVATE -Winvalid-pch)
    endif()
  endif()
endfunction()
