# Fails when the executable imports a DLL that does not ship with Windows, or
# a function of a kind the program never uses: network, cryptography, or
# reaching into another process. The DLLs allowed are Windows' own that hold
# neither network nor cryptography (so no ws2_32, wininet, winhttp, urlmon,
# iphlpapi, dnsapi, bcrypt, ncrypt, crypt32); within them, and within any DLL
# added here later, the functions of those kinds are named by pattern below.
# Ordinary additions from user32 or kernel32 need no change here.
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "objdump failed on ${EXE}")
endif()
set(system_dlls kernel32.dll user32.dll gdi32.dll shell32.dll advapi32.dll comctl32.dll
    comdlg32.dll version.dll msvcrt.dll ole32.dll oleaut32.dll uxtheme.dll msimg32.dll)
set(forbidden
  # Network, whatever DLL exports it: sockets, WinINet, WinHTTP, URL
  # monikers, name look-ups, network drives.
  "network" "^(WSA|WSP|Internet|WinHttp|Http|URLDownload|URLOpen|DnsQuery|GetAddrInfo|WNet|Icmp)"
  "network" "^(socket|connect|send|sendto|recv|recvfrom|bind|listen|accept|getaddrinfo|gethostbyname)$"
  # Cryptography: CryptoAPI (advapi32, crypt32), CNG, and advapi32's RC4 and
  # memory encryption.
  "cryptography" "^(Crypt|BCrypt|NCrypt|Cert|PFX|SystemFunction0(3[2-5]|4[01]))"
  # Reading or writing another process's memory, or running code in it. The
  # static winpthreads behind std::thread imports OpenProcess and
  # SetThreadContext for its own process and threads; without the functions
  # below neither can put code into another process.
  "another process" "^(Read|Write)ProcessMemory$|^Virtual(Alloc|Protect|Free|Query)Ex|^VirtualAlloc2"
  "another process" "^(CreateRemoteThread|QueueUserAPC|OpenThread|DebugActiveProcess|MapViewOfFile2|MapViewOfFileNuma2)"
  "another process" "^(Nt|Zw)(WriteVirtualMemory|ReadVirtualMemory|MapViewOfSection|UnmapViewOfSection|QueueApcThread|CreateThreadEx|SetContextThread)$"
  "another process" "^RtlCreateUserThread$")

string(FIND "${dump}" "The Import Tables" start)
if(start EQUAL -1)
  message(FATAL_ERROR "no imports found in ${EXE}")
endif()
string(SUBSTRING "${dump}" ${start} -1 imports)
string(REGEX REPLACE "\n(The |PE File ).*" "" imports "${imports}")
string(REPLACE "\n" ";" lines "${imports}")
set(dll "")
set(count 0)
foreach(line IN LISTS lines)
  if(line MATCHES "DLL Name: (.+)$")
    string(TOLOWER "${CMAKE_MATCH_1}" dll)
    if(NOT dll IN_LIST system_dlls AND NOT dll MATCHES "^api-ms-win-(core|crt)-")
      message(FATAL_ERROR "${EXE} imports ${dll}, not one of the DLLs of Windows it may use")
    endif()
    message(STATUS "imports ${dll}")
  elseif(dll AND line MATCHES "^\t[0-9a-f]+\t +[0-9]+  (.+)$")
    set(function "${CMAKE_MATCH_1}")
    math(EXPR count "${count} + 1")
    set(rules ${forbidden})
    while(rules)
      list(POP_FRONT rules kind pattern)
      if(function MATCHES "${pattern}")
        message(FATAL_ERROR "${EXE} imports ${function} from ${dll}: ${kind}")
      endif()
    endwhile()
  endif()
endforeach()
if(count EQUAL 0)
  message(FATAL_ERROR "no imported functions found in ${EXE}")
endif()
message(STATUS "${count} functions, none of network, cryptography or another process")
