# `cpack -G DEB` in the build folder makes davrin-audio-player_<version>_<arch>.deb
# of the installed tree under /usr; scripts/package.sh builds it from scratch.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME davrin-audio-player)
set(CPACK_PACKAGE_VENDOR "Davrin Software")
set(CPACK_PACKAGE_CONTACT "Davrin Software <audio-player@davrin-software.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "music play lists played from the notification area")
set(CPACK_PACKAGE_DESCRIPTION
    "A small music player that lives only in the notification area of the desktop.\n"
    "Gather MP3, FLAC, Ogg Vorbis, Opus, WAV, MIDI, RMI and CD-audio track files into named\n"
    "play lists, play them in their stored or a shuffled order, and at the end of a list\n"
    "repeat it, go on to the next one or pick a random one. Media keys and the desktop's\n"
    "media controls work with it. Play lists can be exported into one .ZIP file.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.davrin-software.com/audio-player/")
# The libraries it links are found by dpkg-shlibdeps; MIDI needs a sound font
# or instrument set on top of them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "timgm6mb-soundfont | fluid-soundfont-gm")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
include(CPack)
