# Makes a delay-import library: the program binds the DLL's functions when
# one is first called, not when it loads. The list of functions is read from
# the toolchain's own import library, so every function it offers is bound
# late and none is left to a load-time import.
#
# On x86-64 the binding stub of this dlltool keeps the four integer argument
# registers but not xmm0-xmm3: a function that takes a floating-point number
# among its first four arguments would see it clobbered on its first call.
# None of the functions the program calls does.
#   cmake -DNM=... -DDLLTOOL=... -DOBJCOPY=... -DAR=... -DIMPORT_PREFIX=__imp_[_]
#         -DIMPORT_LIBRARY=lib<name>.a -DDLL=<name>.dll -DOUTPUT=lib<name>_delay.a
#         -P delay_import.cmake
execute_process(COMMAND ${NM} -g --defined-only ${IMPORT_LIBRARY}
                OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
# Each function has an import thunk pointer: "__imp__<name>@<bytes>" on
# 32-bit x86, "__imp_<name>" on x86-64. The definition file lists the name
# with any "@<bytes>", and the tool strips that suffix from the name looked up
# in the DLL.
string(REGEX MATCHALL " I ${IMPORT_PREFIX}[^\n]+" entries "${symbols}")
list(TRANSFORM entries REPLACE "^ I ${IMPORT_PREFIX}" "")
list(SORT entries)
list(REMOVE_DUPLICATES entries)
if(NOT entries)
  message(FATAL_ERROR "${IMPORT_LIBRARY} names no functions after ${IMPORT_PREFIX}")
endif()
list(JOIN entries "\n" exports)
set(definitions "${OUTPUT}.def")
file(WRITE ${definitions} "LIBRARY ${DLL}\nEXPORTS\n${exports}\n")
execute_process(COMMAND ${DLLTOOL} --kill-at --input-def ${definitions} --dllname ${DLL}
                        --output-delaylib ${OUTPUT} COMMAND_ERROR_IS_FATAL ANY)

# This dlltool puts the late-bound tables in .idata, where the linker merges
# them with the load-time imports and leaves their entries zero: the first
# call would jump to address 0. In sections of their own (.didat, allocated
# and writable) the entries keep the address of their binding stub.
#
# The binding stub finds a function by its entry's index from the start of
# the DLL's address table, which the head member marks. The linker orders the
# .didat sections by name and, within one name, in the order it pulled the
# members in: functions first, since the program's calls pull them, and the
# head after them. So every part of the tables is named for the DLL and the
# member's role, "$h" (head), "$s" (functions), "$t" (tail, the terminating
# entries), and each DLL's tables are laid out head, functions, tail.
string(REGEX REPLACE "\\.[dD][lL][lL]$" "" dll_name "${DLL}")

# Renames the table parts "<from>" (with "#" for the part's number) of a file
# to ".didat$<part>$<dll>$<role>", with the section flags given after.
function(rename_tables file from role)
  set(renames)
  foreach(part 2 3 4 5 6 7)
    string(REPLACE "#" "${part}" source "${from}")
    list(APPEND renames --rename-section "${source}=.didat$${part}$${dll_name}$${role}${ARGN}")
  endforeach()
  execute_process(COMMAND ${OBJCOPY} ${renames} ${file} COMMAND_ERROR_IS_FATAL ANY)
endfunction()

rename_tables(${OUTPUT} ".idata$#" s ",alloc,load,contents,data")

# The head and the tail are renamed once more, outside the archive, and put back.
execute_process(COMMAND ${AR} t ${OUTPUT} OUTPUT_VARIABLE members COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCH "[^\n]+_h\\.o" head "${members}")
string(REGEX MATCH "[^\n]+_t\\.o" tail "${members}")
if(NOT head OR NOT tail)
  message(FATAL_ERROR "${OUTPUT} has no head or no tail member:\n${members}")
endif()
set(work "${OUTPUT}.members")
file(REMOVE_RECURSE ${work})
file(MAKE_DIRECTORY ${work})
execute_process(COMMAND ${AR} x ${OUTPUT} ${head} ${tail} WORKING_DIRECTORY ${work}
                COMMAND_ERROR_IS_FATAL ANY)
rename_tables(${work}/${head} ".didat$#$${dll_name}$s" h)
rename_tables(${work}/${tail} ".didat$#$${dll_name}$s" t)
execute_process(COMMAND ${AR} r ${OUTPUT} ${head} ${tail} WORKING_DIRECTORY ${work}
                COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE_RECURSE ${work})
