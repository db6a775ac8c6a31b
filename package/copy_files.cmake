# Copies files into the driver package under their package names.
# -DPACKAGE=<folder> -DFILES=<source>=<name>;<source>=<name>;...
file(MAKE_DIRECTORY "${PACKAGE}")
foreach(entry IN LISTS FILES)
  string(FIND "${entry}" "=" at REVERSE)
  string(SUBSTRING "${entry}" 0 ${at} source)
  math(EXPR after "${at} + 1")
  string(SUBSTRING "${entry}" ${after} -1 name)
  file(COPY_FILE "${source}" "${PACKAGE}/${name}")
endforeach()
