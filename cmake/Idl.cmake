# vr_compile_idl(OUT_VAR idl_file)
# Runs widl on idl_file and sets OUT_VAR to the generated files: NAME.h (the
# header), NAME_i.c (the GUID definitions) and NAME.tlb (the type library, for
# embedding as TYPELIB 1). The output folder is added to the include path of
# the caller's directory.
function(vr_compile_idl out_var idl)
  get_filename_component(name ${idl} NAME_WE)
  get_filename_component(idl_path ${idl} ABSOLUTE)
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/idl)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(widl x86_64-w64-mingw32-widl)
    set(bits --win64)
  else()
    set(widl i686-w64-mingw32-widl)
    set(bits --win32)
  endif()
  add_custom_command(
    OUTPUT ${dir}/${name}.h ${dir}/${name}_i.c ${dir}/${name}.tlb
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND ${widl} ${bits} -I /usr/include/wine/wine/windows
            -L /usr/lib/x86_64-linux-gnu/wine/x86_64-windows
            -L /usr/lib/x86_64-linux-gnu/wine/i386-windows
            -h -H ${dir}/${name}.h -t -T ${dir}/${name}.tlb -u -U ${dir}/${name}_i.c ${idl_path}
    DEPENDS ${idl_path}
    COMMENT "widl ${name}.idl"
    VERBATIM)
  set(${out_var} ${dir}/${name}.h ${dir}/${name}_i.c ${dir}/${name}.tlb PARENT_SCOPE)
  include_directories(${dir})
endfunction()
