# What ships to the operator's desktop: every file and folder of the program
# folder, one line each. The rest follows from this list: each DLL's version
# resource (here), the installer's content and the controls it registers
# (installer/), and the scripting tables of the page author's guide (docs/).
#
#   vr_deliverable(CONTROL target "description")
#       an ActiveX control DLL: registered at install, its type library's
#       tables generated into docs/embedding.md (which needs its section)
#   vr_deliverable(LIBRARY target "description" [ALSO_AS file.dll])
#       a DLL; ALSO_AS installs the copy the build puts beside it as well
#   vr_deliverable(FOLDER name [BUILT_BY target])
#       a folder of the build's bin/, installed whole; BUILT_BY names the
#       target that makes it
#
# Windows builds only; every name must exist there.
include(${CMAKE_CURRENT_LIST_DIR}/VersionResource.cmake)

set(VR_PRODUCT_NAME "Video Retrieval Client")
set(VR_COMPANY_NAME "Video Retrieval Client")

function(vr_deliverable kind name)
  if(NOT WIN32)
    return()
  endif()
  cmake_parse_arguments(ARG "" "ALSO_AS;BUILT_BY" "" ${ARGN})
  if(kind STREQUAL "FOLDER")
    set_property(GLOBAL APPEND PROPERTY VR_SHIPPED_LINES "folder ${name}")
    if(ARG_BUILT_BY)
      set_property(GLOBAL APPEND PROPERTY VR_SHIPPED_TARGETS ${ARG_BUILT_BY})
    endif()
    return()
  endif()
  if(NOT kind MATCHES "^(CONTROL|LIBRARY)$")
    message(FATAL_ERROR "vr_deliverable: kind ${kind} is none of CONTROL, LIBRARY, FOLDER")
  endif()
  if(NOT TARGET ${name})
    message(FATAL_ERROR "vr_deliverable: no target ${name} in this build")
  endif()
  list(LENGTH ARG_UNPARSED_ARGUMENTS given)
  if(NOT given EQUAL 1)
    message(FATAL_ERROR "vr_deliverable: ${kind} ${name} takes one description")
  endif()
  set(description "${ARG_UNPARSED_ARGUMENTS}")
  vr_add_version_resource(${name} "${description}")
  string(TOLOWER ${kind} line_kind)
  set_property(GLOBAL APPEND PROPERTY VR_SHIPPED_LINES "${line_kind} $<TARGET_FILE_NAME:${name}>")
  if(ARG_ALSO_AS)
    set_property(GLOBAL APPEND PROPERTY VR_SHIPPED_LINES "${line_kind} ${ARG_ALSO_AS}")
  endif()
  set_property(GLOBAL APPEND PROPERTY VR_SHIPPED_TARGETS ${name})
  if(kind STREQUAL "CONTROL")
    set_property(GLOBAL APPEND PROPERTY VR_SHIPPED_CONTROLS ${name})
  endif()
endfunction()

vr_deliverable(CONTROL ResultPane "Result viewer ActiveX control")
vr_deliverable(LIBRARY RegionPick "Region picker dialog" ALSO_AS RegionPickUI.dll)
vr_deliverable(LIBRARY StreamLink "Streaming client library")
vr_deliverable(LIBRARY CommonKit "Utility library of the region picker")
vr_deliverable(LIBRARY crash "Crash reporter")
vr_deliverable(FOLDER skin BUILT_BY default_skin)
vr_deliverable(CONTROL TaskSetup "Task configuration ActiveX control")
vr_deliverable(LIBRARY HueSampler "Colour picker")
vr_deliverable(LIBRARY SkinShell "Skinned dialog library")
vr_deliverable(FOLDER res BUILT_BY skinshell_skin)

# The list for the installer and the tests: bin/deliverables.txt, one
# "kind file-or-folder" line each, relative to bin/.
if(WIN32)
  get_property(VR_SHIPPED_LINES GLOBAL PROPERTY VR_SHIPPED_LINES)
  list(JOIN VR_SHIPPED_LINES "\n" shipped_text)
  set(VR_DELIVERABLES_FILE ${CMAKE_BINARY_DIR}/deliverables.txt)
  file(GENERATE OUTPUT ${VR_DELIVERABLES_FILE} CONTENT "${shipped_text}\n")
endif()
