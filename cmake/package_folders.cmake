# Run by CPack on the staged tree before it is archived (CPACK_PRE_BUILD_SCRIPTS):
# every folder 0755. The install makes the parents of installed files with the
# packager's umask, and under 077 the package's folders would be 0700.
file(GLOB_RECURSE folders LIST_DIRECTORIES true "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
foreach(folder IN LISTS folders)
  if(IS_DIRECTORY "${folder}")
    file(CHMOD "${folder}" DIRECTORY_PERMISSIONS
         OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  endif()
endforeach()
