# cmake -P BuildMsi.cmake with -D settings (see installer/CMakeLists.txt):
# writes the package description (.wxs) for what bin/deliverables.txt lists,
# builds the MSI with wixl and adds with msibuild what wixl has no element
# for: the controls' self-registration.
#
# Settings: MANIFEST BIN_DIR WORK_DIR OUTPUT ARCH VERSION PRODUCT_NAME
#   MANUFACTURER FOLDER_NAME UPGRADE_CODE RUNTIME_FOLDERS RUNTIME_FILES
#   ACTIONS_DLL WIXL MSIBUILD
cmake_minimum_required(VERSION 3.21)

foreach(setting MANIFEST BIN_DIR WORK_DIR OUTPUT ARCH VERSION PRODUCT_NAME MANUFACTURER
                FOLDER_NAME UPGRADE_CODE ACTIONS_DLL WIXL MSIBUILD)
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

# Folders below the program folder.
set(folders)
foreach(path IN LISTS files)
  get_filename_component(folder "${path}" DIRECTORY)
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

get_property(components GLOBAL PROPERTY MSI_COMPONENTS)
set(component_refs "")
foreach(component IN LISTS components)
  string(APPEND component_refs "      <ComponentRef Id=\"${component}\" />\n")
endforeach()

# When the product is removed (also by a newer version, which starts afresh)
# the custom action removes what the controls made beside themselves, after
# the controls are unregistered and before the installed files go (sequence
# numbers: wixl misplaces "After").
# See installer/actions.
set(removal "[INSTALLDIR]")
foreach(folder IN LISTS RUNTIME_FOLDERS)
  string(APPEND removal "|${folder}\\")
endforeach()
foreach(pattern IN LISTS RUNTIME_FILES)
  string(APPEND removal "|${pattern}")
endforeach()
xml_escape(removal "${removal}")
file(RELATIVE_PATH actions_dll ${BIN_DIR} ${ACTIONS_DLL})

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
    <Binary Id=\"SetupActions\" SourceFile=\"${actions_dll}\" />
    <CustomAction Id=\"SetInstallLocation\" Property=\"ARPINSTALLLOCATION\" Value=\"[INSTALLDIR]\" />
    <CustomAction Id=\"SetRemoveRunTimeFiles\" Property=\"RemoveRunTimeFiles\" Value=\"${removal}\" />
    <CustomAction Id=\"RemoveRunTimeFiles\" BinaryKey=\"SetupActions\" DllEntry=\"RemoveRunTimeFiles\"
                  Execute=\"deferred\" Impersonate=\"no\" Return=\"ignore\" />
    <InstallExecuteSequence>
      <Custom Action=\"SetInstallLocation\" Sequence=\"1001\" />
      <Custom Action=\"SetRemoveRunTimeFiles\" Sequence=\"3400\">REMOVE=\"ALL\"</Custom>
      <Custom Action=\"RemoveRunTimeFiles\" Sequence=\"3401\">REMOVE=\"ALL\"</Custom>
    </InstallExecuteSequence>
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
# before they are removed).
set(queries
  "CREATE TABLE `SelfReg` (`File_` CHAR(72) NOT NULL, `Cost` INT PRIMARY KEY `File_`)"
  "INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES ('SelfUnregModules', 2200)"
  "INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES ('SelfRegModules', 6500)")
foreach(control IN LISTS controls)
  msi_id(file_id f "${control}")
  list(APPEND queries "INSERT INTO `SelfReg` (`File_`, `Cost`) VALUES ('${file_id}', 0)")
endforeach()
foreach(query IN LISTS queries)
  execute_process(COMMAND ${MSIBUILD} ${WORK_DIR}/package.msi -q "${query}" RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "msibuild could not run: ${query}")
  endif()
endforeach()

file(COPY_FILE ${WORK_DIR}/package.msi ${OUTPUT})
