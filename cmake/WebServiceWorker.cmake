# Writes the page's service worker with a cache name made from the site's
# files, so that it changes with every build that changes them.
#   cmake -DSITE=dir -DTEMPLATE=sw.js.in -DFILES="a;b;..." -P WebServiceWorker.cmake
set(hashes "")
foreach(file IN LISTS FILES)
    file(SHA256 "${SITE}/${file}" hash)
    string(APPEND hashes "${hash}")
endforeach()
string(SHA256 SITE_HASH "${hashes}")
string(SUBSTRING "${SITE_HASH}" 0 16 SITE_HASH)
# The files to cache, as a JavaScript list: the site's root and each file.
set(SITE_FILES "'./'")
foreach(file IN LISTS FILES)
    string(APPEND SITE_FILES ", '${file}'")
endforeach()
configure_file("${TEMPLATE}" "${SITE}/sw.js" @ONLY)
