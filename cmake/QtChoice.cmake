# The Qt the game is built with is the one SoQt, its 3D view, was built with:
# Qt 6 where SoQt's Qt 6 build is installed (Debian 13 and later), Qt 5
# otherwise. CURAVANT_QT=5 or 6 insists on one and stops when it is missing.
# Everything links Qt's versionless targets (Qt::Widgets and so on).
set(CURAVANT_QT "" CACHE STRING "Qt major version to build with: 5, 6, or empty for SoQt's")
if(NOT CURAVANT_QT MATCHES "^[56]?$")
  message(FATAL_ERROR "CURAVANT_QT is '${CURAVANT_QT}': it must be 5, 6 or empty")
endif()

find_package(SoQt)
if(NOT SoQt_FOUND)
  message(FATAL_ERROR "SoQt, the Coin binding to Qt, is missing: install libsoqt620-dev "
                      "(Qt 6, Debian 13 and later) or libsoqt520-dev (Qt 5), or run tools/setup.sh")
endif()
get_target_property(soqt_links SoQt::SoQt INTERFACE_LINK_LIBRARIES)
if(soqt_links MATCHES "Qt6::")
  set(soqt_qt 6)
elseif(soqt_links MATCHES "Qt5::")
  set(soqt_qt 5)
else()
  message(FATAL_ERROR "SoQt ${SoQt_VERSION} is built with neither Qt 5 nor Qt 6")
endif()

if(CURAVANT_QT AND NOT CURAVANT_QT STREQUAL soqt_qt)
  if(CURAVANT_QT STREQUAL 5)
    set(wanted "libsoqt520-dev qtbase5-dev libqt5opengl5-dev")
  else()
    set(wanted "libsoqt620-dev qt6-base-dev")
  endif()
  message(FATAL_ERROR "CURAVANT_QT=${CURAVANT_QT}, but the SoQt found (${SoQt_VERSION}) is built "
                      "with Qt ${soqt_qt}: install ${wanted} (CURAVANT_QT=${CURAVANT_QT} "
                      "bash tools/setup.sh does), or leave CURAVANT_QT empty")
endif()
set(CURAVANT_QT_MAJOR ${soqt_qt})

if(CURAVANT_QT_MAJOR EQUAL 6)
  find_package(Qt6 6.2 COMPONENTS Core Gui Widgets OpenGL Test DBus Network)
else()
  find_package(Qt5 5.15 COMPONENTS Core Gui Widgets OpenGL Test DBus Network)
endif()
if(NOT Qt${CURAVANT_QT_MAJOR}_FOUND)
  message(FATAL_ERROR "SoQt is built with Qt ${CURAVANT_QT_MAJOR}, whose development files are "
                      "incomplete here: run tools/setup.sh")
endif()
message(STATUS "Building with Qt ${Qt${CURAVANT_QT_MAJOR}_VERSION} and SoQt ${SoQt_VERSION}")
