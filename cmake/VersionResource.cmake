# vr_add_version_resource(TARGET DESCRIPTION)
# Gives a DLL target its version resource: a small .rc generated from
# version.rc.in with the project's version, product and company name, the
# description given and the file's own name. A module holds one version
# resource, so a target whose own .rc already declares one is refused here
# instead of linking two.
set(VR_VERSION_RC_TEMPLATE ${CMAKE_CURRENT_LIST_DIR}/version.rc.in)

function(vr_add_version_resource target description)
  get_target_property(sources ${target} SOURCES)
  get_target_property(source_dir ${target} SOURCE_DIR)
  foreach(source IN LISTS sources)
    if(source MATCHES "\\.rc$")
      if(NOT IS_ABSOLUTE "${source}")
        set(source "${source_dir}/${source}")
      endif()
      if(EXISTS "${source}")
        file(STRINGS "${source}" declared REGEX "[ \t]VERSIONINFO([ \t]|$)")
        if(declared)
          message(FATAL_ERROR "${source} declares a VERSIONINFO of its own; "
                              "the build gives ${target} its version resource (cmake/Deliverables.cmake)")
        endif()
      endif()
    endif()
  endforeach()

  get_target_property(output_name ${target} OUTPUT_NAME)
  if(NOT output_name)
    set(output_name ${target})
  endif()
  set(VR_FILE_NAME "${output_name}.dll")
  set(VR_INTERNAL_NAME "${output_name}")
  set(VR_FILE_DESCRIPTION "${description}")
  set(VR_COMPANY_NAME "${VR_COMPANY_NAME}")
  set(VR_PRODUCT_NAME "${VR_PRODUCT_NAME}")
  set(VR_VERSION_DOTS "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0")
  set(VR_VERSION_COMMAS "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0")
  set(rc ${CMAKE_BINARY_DIR}/version/${output_name}.version.rc)
  configure_file(${VR_VERSION_RC_TEMPLATE} ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()
