# cmake -P BuildMsi.cmake with -D settings (see installer/CMakeLists.txt):
# writes the package description (.wxs) for what bin/deliverables.txt lists,
# builds the MSI with wixl and adds what wixl has no element for with
# msibuild: the controls' self-registration and the removal of the files the
# program makes at run time.
#
# Settings: MANIFEST BIN_DIR WORK_DIR OUTPUT ARCH VERSION PRODUCT_NAME
#   MANUFACTURER FOLDER_NAME UPGRADE_CODE RUNTIME_FOLDERS RUNTIME_FILES WIXL MSIBUILD
cmake_minimum_required(VERSION 3.21)

foreach(setting MANIFEST BIN_DIR WORK_DIR OUTPUT ARCH VERSION PRODUCT_NAME MANUFACTURER
                FOLDER_NAME UPGRADE_CODE WIXL MSIBUILD)
  if(NOT DEFINED ${setting})
    message(FATAL_ERROR "BuildMsi.cmake: ${setting} is not set")
  endif()
endforeach()

# MSI identifiers: letters, digits, "_" and "."; at most 72 characters.
function(msi_id out prefix text)
  string(REGEX REPLACE "[^A-Za-z0-9_.]" "_" id "${prefix}_${text}")
  string(LENGTH "${id}" length)
  if(length GREATER 72)
    string(MD5 hash "${text}")
    set(id "${prefix}_${hash}")
  endif()
  set(${out} "${id}" PARENT_SCOPE)
endfunction()

function(xml_escape out text)
  string(REPLACE "&" "&amp;" text "${text}")
  string(REPLACE "<" "&lt;" text "${text}")
  string(REPLACE ">" "&gt;" text "${text}")
  string(REPLACE "\"" "&quot;" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# A component GUID that stays the same for the same product and name, so an
# upgrade recognises the component.
function(stable_guid out name)
  string(UUID guid NAMESPACE ${UPGRADE_CODE} NAME "${ARCH}:${name}" TYPE SHA1 UPPER)
  set(${out} ${guid} PARENT_SCOPE)
endfunction()

# The files to install (relative to BIN_DIR) and which of them are controls.
file(STRINGS ${MANIFEST} lines)
set(files)
set(controls)
foreach(line IN LISTS lines)
  if(NOT line MATCHES "^(control|library|folder) (.+)$")
    message(FATAL_ERROR "${MANIFEST}: cannot read '${line}'")
  endif()
  set(kind ${CMAKE_MATCH_1})
  set(name ${CMAKE_MATCH_2})
  if(NOT EXISTS ${BIN_DIR}/${name})
    message(FATAL_ERROR "${BIN_DIR}/${name} is listed for the package but was not built")
  endif()
  if(kind STREQUAL "folder")
    file(GLOB_RECURSE inside LIST_DIRECTORIES false RELATIVE ${BIN_DIR} ${BIN_DIR}/${name}/*)
    if(NOT inside)
      message(FATAL_ERROR "${BIN_DIR}/${name} is listed for the package but is empty")
    endif()
    list(APPEND files ${inside})
  else()
    list(APPEND files ${name})
    if(kind STREQUAL "control")
      list(APPEND controls ${name})
    endif()
  endif()
endforeach()
list(SORT files)

# Folders below the program folder: those of the files, and those the
# program makes at run time (removed with their files at uninstall).
set(folders)
foreach(path IN LISTS files RUNTIME_FOLDERS)
  get_filename_component(folder "${path}" DIRECTORY)
  if(path IN_LIST RUNTIME_FOLDERS)
    set(folder "${path}")
  endif()
  while(folder)
    list(APPEND folders "${folder}")
    get_filename_component(folder "${folder}" DIRECTORY)
  endwhile()
endforeach()
list(REMOVE_DUPLICATES folders)
list(SORT folders)

if(ARCH STREQUAL "x64")
  set(program_files ProgramFiles64Folder)
  set(win64 " Win64=\"yes\"")
else()
  set(program_files ProgramFilesFolder)
  set(win64 "")
endif()

set(component_refs "")
set(remove_rows "")

# The XML of one folder's content: its files, then its subfolders.
function(folder_xml out folder indent)
  if(folder)
    msi_id(dir_id d "${folder}")
  else()
    set(dir_id INSTALLDIR)
  endif()
  set(xml "")
  foreach(path IN LISTS files)
    get_filename_component(parent "${path}" DIRECTORY)
    if(NOT parent STREQUAL folder)
      continue()
    endif()
    msi_id(file_id f "${path}")
    msi_id(component_id c "${path}")
    get_filename_component(name "${path}" NAME)
    xml_escape(name "${name}")
    xml_escape(source "${path}")
    string(APPEND xml "${indent}<Component Id=\"${component_id}\" Guid=\"*\"${win64}>\n"
           "${indent}  <File Id=\"${file_id}\" Name=\"${name}\" Source=\"${source}\" KeyPath=\"yes\" />\n"
           "${indent}</Component>\n")
    set_property(GLOBAL APPEND PROPERTY MSI_COMPONENTS ${component_id})
  endforeach()
  if(folder IN_LIST RUNTIME_FOLDERS)
    # Whatever the program left in it, then the folder itself.
    msi_id(component_id c_runtime "${folder}")
    stable_guid(guid "runtime folder ${folder}")
    string(APPEND xml "${indent}<Component Id=\"${component_id}\" Guid=\"${guid}\"${win64}>\n"
           "${indent}  <RemoveFolder Id=\"${dir_id}_remove\" On=\"uninstall\" />\n"
           "${indent}</Component>\n")
    set_property(GLOBAL APPEND PROPERTY MSI_COMPONENTS ${component_id})
    set_property(GLOBAL APPEND PROPERTY MSI_REMOVE_FILES "${component_id}|${dir_id}|*.*")
  endif()
  foreach(sub IN LISTS folders)
    get_filename_component(parent "${sub}" DIRECTORY)
    if(NOT parent STREQUAL folder)
      continue()
    endif()
    msi_id(sub_id d "${sub}")
    get_filename_component(name "${sub}" NAME)
    xml_escape(name "${name}")
    folder_xml(inner "${sub}" "${indent}  ")
    string(APPEND xml "${indent}<Directory Id=\"${sub_id}\" Name=\"${name}\">\n${inner}"
           "${indent}</Directory>\n")
  endforeach()
  set(${out} "${xml}" PARENT_SCOPE)
endfunction()

folder_xml(program_folder_xml "" "            ")

# Files the program writes beside itself (crash dumps): removed at uninstall.
stable_guid(guid "runtime files")
string(APPEND program_folder_xml
       "            <Component Id=\"c_runtime_files\" Guid=\"${guid}\"${win64}>\n"
       "              <RemoveFolder Id=\"INSTALLDIR_remove\" On=\"uninstall\" />\n"
       "            </Component>\n")
set_property(GLOBAL APPEND PROPERTY MSI_COMPONENTS c_runtime_files)
foreach(pattern IN LISTS RUNTIME_FILES)
  set_property(GLOBAL APPEND PROPERTY MSI_REMOVE_FILES "c_runtime_files|INSTALLDIR|${pattern}")
endforeach()

get_property(components GLOBAL PROPERTY MSI_COMPONENTS)
set(component_refs "")
foreach(component IN LISTS components)
  string(APPEND component_refs "      <ComponentRef Id=\"${component}\" />\n")
endforeach()

string(UUID product_code NAMESPACE ${UPGRADE_CODE} NAME "product ${ARCH} ${VERSION}" TYPE SHA1 UPPER)
xml_escape(product_name "${PRODUCT_NAME}")
xml_escape(manufacturer "${MANUFACTURER}")
xml_escape(folder_name "${FOLDER_NAME}")
file(WRITE ${WORK_DIR}/product.wxs "<?xml version=\"1.0\" encoding=\"utf-8\"?>
<Wix xmlns=\"http://schemas.microsoft.com/wix/2006/wi\">
  <Product Id=\"${product_code}\" Name=\"${product_name}\" Language=\"1033\" Version=\"${VERSION}\"
           Manufacturer=\"${manufacturer}\" UpgradeCode=\"${UPGRADE_CODE}\">
    <Package InstallerVersion=\"200\" Compressed=\"yes\" InstallScope=\"perMachine\"
             Description=\"${product_name} ${VERSION}\" Manufacturer=\"${manufacturer}\" />
    <MajorUpgrade DowngradeErrorMessage=\"A newer version of ${product_name} is already installed.\" />
    <Media Id=\"1\" Cabinet=\"product.cab\" EmbedCab=\"yes\" />
    <Property Id=\"ARPNOMODIFY\" Value=\"1\" />
    <Directory Id=\"TARGETDIR\" Name=\"SourceDir\">
      <Directory Id=\"${program_files}\">
          <Directory Id=\"INSTALLDIR\" Name=\"${folder_name}\">
${program_folder_xml}          </Directory>
      </Directory>
    </Directory>
    <Feature Id=\"Complete\" Level=\"1\">
${component_refs}    </Feature>
  </Product>
</Wix>
")

file(REMOVE ${WORK_DIR}/package.msi)
# wixl reads the sources relative to the folder it runs in.
execute_process(COMMAND ${WIXL} -a ${ARCH} -o ${WORK_DIR}/package.msi ${WORK_DIR}/product.wxs
                WORKING_DIRECTORY ${BIN_DIR} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "wixl could not build ${WORK_DIR}/package.msi")
endif()

# What wixl cannot say: the controls register themselves exactly as regsvr32
# would have them do (SelfReg, run after the files are in place and undone
# before they are removed), and the run-time files go with their folders.
set(queries
  "CREATE TABLE `SelfReg` (`File_` CHAR(72) NOT NULL, `Cost` INT PRIMARY KEY `File_`)"
  "INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES ('SelfUnregModules', 2200)"
  "INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES ('SelfRegModules', 6500)")
foreach(control IN LISTS controls)
  msi_id(file_id f "${control}")
  list(APPEND queries "INSERT INTO `SelfReg` (`File_`, `Cost`) VALUES ('${file_id}', 0)")
endforeach()
get_property(remove_files GLOBAL PROPERTY MSI_REMOVE_FILES)
set(index 0)
foreach(row IN LISTS remove_files)
  string(REPLACE "|" ";" fields "${row}")
  list(GET fields 0 component)
  list(GET fields 1 directory)
  list(GET fields 2 pattern)
  math(EXPR index "${index} + 1")
  list(APPEND queries "INSERT INTO `RemoveFile` (`FileKey`, `Component_`, `FileName`, `DirProperty`, `InstallMode`) VALUES ('runtime_files_${index}', '${component}', '${pattern}', '${directory}', 2)")
endforeach()
foreach(query IN LISTS queries)
  execute_process(COMMAND ${MSIBUILD} ${WORK_DIR}/package.msi -q "${query}" RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "msibuild could not run: ${query}")
  endif()
endforeach()

file(COPY_FILE ${WORK_DIR}/package.msi ${OUTPUT})
