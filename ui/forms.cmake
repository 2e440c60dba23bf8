# Forms of other folders that are built on the window layer.
velmora_sources(
  CORE ${CMAKE_SOURCE_DIR}/picture/BrushPreview.cpp
  WIN32 ${CMAKE_SOURCE_DIR}/app/messgae.cpp ${CMAKE_SOURCE_DIR}/picture/brushsize.cpp
  UNIT_TESTS ${CMAKE_SOURCE_DIR}/tests/unit/picture/BrushPreviewTest.cpp
  WIN32_TESTS ${CMAKE_SOURCE_DIR}/tests/win32/app/MessgaeTest.cpp
              ${CMAKE_SOURCE_DIR}/tests/win32/picture/BrushSizeTest.cpp)
