# Writes OUTPUT in sha256sum's format for FILE: "<digest>  <name>", so that
# `sha256sum -c SHA256SUMS` checks it beside the file.
file(SHA256 "${FILE}" digest)
get_filename_component(name "${FILE}" NAME)
file(WRITE "${OUTPUT}" "${digest}  ${name}\n")
