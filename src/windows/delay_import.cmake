# Makes a delay-import library: the program binds the DLL's functions when
# one is first called, not when it loads. The list of functions is read from
# the toolchain's own import library, so every function it offers is bound
# late and none is left to a load-time import.
#   cmake -DNM=... -DDLLTOOL=... -DOBJCOPY=... -DIMPORT_LIBRARY=lib<name>.a -DDLL=<name>.dll
#         -DOUTPUT=lib<name>_delay.a -P delay_import.cmake
execute_process(COMMAND ${NM} -g --defined-only ${IMPORT_LIBRARY}
                OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
# Each function has an import thunk pointer "__imp__<name>@<bytes>"; the
# definition file lists "<name>@<bytes>" and the tool strips the suffix from
# the name looked up in the DLL.
string(REGEX MATCHALL " I __imp__[^\n]+" entries "${symbols}")
list(TRANSFORM entries REPLACE "^ I __imp__" "")
list(SORT entries)
list(REMOVE_DUPLICATES entries)
if(NOT entries)
  message(FATAL_ERROR "${IMPORT_LIBRARY} names no functions")
endif()
list(JOIN entries "\n" exports)
set(definitions "${OUTPUT}.def")
file(WRITE ${definitions} "LIBRARY ${DLL}\nEXPORTS\n${exports}\n")
execute_process(COMMAND ${DLLTOOL} --kill-at --input-def ${definitions} --dllname ${DLL}
                        --output-delaylib ${OUTPUT} COMMAND_ERROR_IS_FATAL ANY)
# This dlltool puts the late-bound table in .idata, where the linker merges
# it with the load-time imports and leaves its entries zero: the first call
# would jump to address 0. In sections of their own (.didat, allocated and
# writable) the entries keep the address of their binding stub.
set(renames)
foreach(part 2 3 4 5 6 7)
  list(APPEND renames --rename-section .idata$${part}=.didat$${part},alloc,load,contents,data)
endforeach()
execute_process(COMMAND ${OBJCOPY} ${renames} ${OUTPUT} COMMAND_ERROR_IS_FATAL ANY)
