# Precompiled headers, for builds that are thrown away after one run (scripts/test.sh
# passes -DVEXA_PCH=ON). Nearly every source includes the same Qt and standard headers,
# and parsing them is most of a source's compile time in a Debug build; with a header
# precompiled per kind of target they are parsed a few times per build instead of once per
# source. Off by default: a build without them is the one that shows a missing #include.
#
# Three kinds, one precompiled header each that the other targets of its kind reuse:
#   core    the core modules (the headless front end among them) and the program (owner: vexa_lib)
#   widgets the window                                               (owner: vexa_ui)
#   test    the test executables: the core headers with googletest (owner:
#           vexa_testsupport); Qt Test stays out, its header reads differently when Qt Gui
#           or Qt Widgets is linked, and GCC refuses a header precompiled under other macros.
#           A test on widgets gets its own, with Qt Test.
set(VEXA_PCH_CORE_HEADERS
  <QByteArray> <QDir> <QFile> <QFileInfo> <QHash> <QList> <QObject> <QProcess>
  <QRegularExpression> <QString> <QStringList> <QTimer>
  <algorithm> <functional> <memory> <optional> <vector>)
set(VEXA_PCH_WIDGETS_HEADERS ${VEXA_PCH_CORE_HEADERS}
  <QAction> <QApplication> <QCheckBox> <QComboBox> <QLabel> <QMessageBox> <QPushButton>
  <QVBoxLayout> <QWidget>)
set(VEXA_PCH_TEST_HEADERS ${VEXA_PCH_CORE_HEADERS} <QCoreApplication> <QTemporaryDir> <gtest/gtest.h>)

# vexa_precompile(<target> core|widgets|test|test-widgets)
function(vexa_precompile target kind)
  if(NOT VEXA_PCH)
    return()
  endif()
  set(_owner_core vexa_lib)
  set(_owner_widgets vexa_ui)
  set(_owner_test vexa_testsupport)
  if(kind STREQUAL "test-widgets")
    target_precompile_headers(${target} PRIVATE ${VEXA_PCH_WIDGETS_HEADERS} ${VEXA_PCH_TEST_HEADERS} <QSignalSpy> <QTest>)
  elseif(target STREQUAL _owner_${kind})
    string(TOUPPER ${kind} _k)
    target_precompile_headers(${target} PRIVATE ${VEXA_PCH_${_k}_HEADERS})
  else()
    target_precompile_headers(${target} REUSE_FROM ${_owner_${kind}})
  endif()
endfunction()
