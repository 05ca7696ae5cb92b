# The report engine: report/ (model and page generation) and output/ (pages,
# devices, printers) form one library, since each needs the other. It sees
# only the toolkit-neutral interfaces of platform/, never Qt.
file(GLOB engine_sources CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/report/*.cpp ${PROJECT_SOURCE_DIR}/report/*.h
  ${PROJECT_SOURCE_DIR}/output/*.cpp ${PROJECT_SOURCE_DIR}/output/*.h
  ${PROJECT_SOURCE_DIR}/assets/*.cpp ${PROJECT_SOURCE_DIR}/assets/*.h)
if(engine_sources)
  add_library(engine STATIC ${engine_sources})
  target_link_libraries(engine PUBLIC platform_types)
else()
  add_library(engine INTERFACE)
  target_link_libraries(engine INTERFACE platform_types)
endif()
# Whoever links the engine also gets the Qt/CUPS implementations of the
# platform interfaces, linked after it; the engine's own sources still
# compile without any Qt include path.
target_link_libraries(engine INTERFACE platform_qt)
