# The installation's machine hive: where an installer on Windows would write the machine's
# registry, ours writes system.reg beside the programs, saying where the editor and the manuals
# of this installation are. Included by the build (for the build tree) and by the install script
# (for the prefix, known only when installing).
set(LEXIV_MACHINE_HIVE_TEMPLATE ${CMAKE_CURRENT_LIST_DIR}/system.reg.in)

# Writes the hive to output for programs in programDir (an absolute path).
function(lexiv_write_machine_hive output programDir)
  get_filename_component(dir "${programDir}" ABSOLUTE)
  string(REGEX REPLACE "/+$" "" dir "${dir}")
  # Strings in a hive escape backslashes and double quotes.
  string(REPLACE "\\" "\\\\" dir "${dir}")
  string(REPLACE "\"" "\\\"" dir "${dir}")
  # Directories end with a separator, as the programs expect of directory values.
  set(LEXIV_HIVE_PROGRAM_DIR "${dir}/")
  set(LEXIV_HIVE_MANUAL_DIR "${dir}/Manual/")
  configure_file("${LEXIV_MACHINE_HIVE_TEMPLATE}" "${output}" @ONLY)
endfunction()
