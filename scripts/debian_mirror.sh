# SPDX-FileCopyrightText: The Vintrelle developers
# SPDX-License-Identifier: MIT

# The Debian mirror this machine's apt uses: the first one in its sources, in
# one-line or deb822 form; deb.debian.org when there is none.
debian_mirror() {
    local mirror
    mirror=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources 2>/dev/null \
        | sed -n -E 's#^(deb|URIs:)[[:space:]]+(\[[^]]*\][[:space:]]+)?(https?://[^[:space:]]*/debian)/?([[:space:]].*)?$#\3#p' \
        | head -n 1 || true)
    echo "${mirror:-http://deb.debian.org/debian}"
}
