# Copies the public headers from src/ into include/korvel/ of the build tree, as they are installed:
# an include of another engine header ("models/Vec3.h") becomes "korvel/models/Vec3.h", so a program
# that includes <korvel/...> needs one include folder and no folder of ours takes a plain name like
# "text/" in its include path.
# A header whose staged copy is already the same is left alone (so nothing that includes it is
# rebuilt); STAMP is touched to mark the run.
#   cmake -DSOURCE_DIR=src -DSTAGE_DIR=.../include/korvel -DHEADERS="app/App.h|models/Vec3.h" -DSTAMP=... -P
string(REPLACE "|" ";" headers "${HEADERS}")
foreach(header ${headers})
  file(READ "${SOURCE_DIR}/${header}" text)
  string(REGEX REPLACE "#include \"([a-z]+/[A-Za-z0-9_]+\\.h)\"" "#include \"korvel/\\1\"" text "${text}")
  set(target "${STAGE_DIR}/${header}")
  set(old "")
  if(EXISTS "${target}")
    file(READ "${target}" old)
  endif()
  if(NOT old STREQUAL text)
    file(WRITE "${target}" "${text}")
  endif()
endforeach()
file(TOUCH "${STAMP}")
