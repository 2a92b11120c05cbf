# The Debian packages, one per install component. Library dependencies come from
# dpkg-shlibdeps; what no binary shows is listed by hand below, each with its reason.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qx4t)
set(CPACK_PACKAGE_VENDOR "QX4T Tools Team")
set(CPACK_PACKAGE_VERSION ${QX4T_DEB_VERSION})
set(CPACK_PACKAGE_CONTACT ${QX4T_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${QX4T_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_VERSION ${QX4T_DEB_VERSION})
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL ${QX4T_PACKAGE_COMPONENTS})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The wizard's own libraries live in its program folder, not in a public library path.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS usr/${QX4T_INSTALL_PROGRAM_DIR})
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
# The packages' file times are the release's (cpack reads SOURCE_DATE_EPOCH while it packs).
file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/CPackDate.cmake
    CONTENT "set(ENV{SOURCE_DATE_EPOCH} ${QX4T_SOURCE_DATE_EPOCH})\n")
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_BINARY_DIR}/CPackDate.cmake)

set(same "(= ${QX4T_DEB_VERSION})")

# --- udev ---
set(CPACK_DEBIAN_UDEV_PACKAGE_NAME qx4t-udev)
set(CPACK_DEBIAN_UDEV_PACKAGE_ARCHITECTURE all)
set(CPACK_DEBIAN_UDEV_PACKAGE_SHLIBDEPS OFF)
set(CPACK_DEBIAN_UDEV_PACKAGE_SECTION admin)
# No dependency on udev: a container or an image without it simply has no use for the rule.
set(CPACK_COMPONENT_UDEV_DESCRIPTION "udev rule for the serial port of QX4T PLCs
Gives the user at the computer's seat access to the USB serial port of a QX4T
series PLC without joining a group, keeps the port's group (dialout) for remote
and fleet use, and keeps ModemManager from probing the port during a firmware
version-up. Makes the folder /var/lib/qx4t-vuptool/notes in which the QX4T
version-up wizard and qx4t-vup of every account note the version-ups that were
begun and not yet verified. Used by the QX4T version-up wizard and by qx4t-vup.")
set(CPACK_DEBIAN_UDEV_PACKAGE_CONTROL_EXTRA
    ${CMAKE_CURRENT_SOURCE_DIR}/debian/qx4t-udev/postinst
    ${CMAKE_CURRENT_SOURCE_DIR}/debian/qx4t-udev/postrm)

# --- qx4t-vup ---
set(CPACK_DEBIAN_VUP_PACKAGE_NAME qx4t-vup)
set(CPACK_DEBIAN_VUP_PACKAGE_DEPENDS "qx4t-udev ${same}")
set(CPACK_COMPONENT_VUP_DESCRIPTION "command-line firmware version-up of QX4T PLCs
qx4t-vup takes a QX4T series PLC attached by USB to the firmware version this
tool carries, with the same checks as the version-up wizard. It needs neither
a display nor Qt, so it serves headless machines, SSH sessions and fleet
updates from scripts. It can also list the PLC ports, read a PLC's status,
and rehearse the whole version-up against a built-in simulated PLC.")

# --- qx4t-plcsim ---
set(CPACK_DEBIAN_PLCSIM_PACKAGE_NAME qx4t-plcsim)
set(CPACK_COMPONENT_PLCSIM_DESCRIPTION "simulated QX4T PLC on a pseudo-terminal
qx4t-plcsim plays a QX4T series PLC on a pseudo-terminal and registers it for
the version-up tools' port discovery, so that the wizard and qx4t-vup can be
tried and tested without hardware. Faults such as lost replies, wrong block
checks or a port that vanishes mid-transfer can be requested by name.")

if(QX4T_BUILD_GUI)
    # --- the wizard ---
    set(CPACK_DEBIAN_WIZARD_PACKAGE_NAME qx4t-vuptool)
    # The launcher takes whichever language library is present, English first; qt6-qpa-plugins
    # holds the platform plugin that Qt loads at run time (no binary links it); xdg-utils is
    # what Qt asks to open the operating manual outside a desktop environment's own portal.
    set(CPACK_DEBIAN_WIZARD_PACKAGE_DEPENDS
        "qx4t-vuptool-en ${same} | ${QX4T_LANGUAGE_VIRTUAL}, qx4t-udev ${same}, qt6-qpa-plugins, xdg-utils")
    # A viewer for the PDF manuals.
    set(CPACK_DEBIAN_WIZARD_PACKAGE_RECOMMENDS "evince | pdf-viewer")
    set(CPACK_COMPONENT_WIZARD_DESCRIPTION "firmware version-up wizard for QX4T PLCs
A desktop wizard that takes a QX4T series PLC (TR6W/TR6Z, TR6AW/TR6AZ)
attached by USB to firmware 01.80 over its serial line: it checks the PLC's
model, firmware version and operating mode, puts the PLC into its update
mode, writes the firmware and verifies the version after the restart.
.
The wizard's texts come from one language package (qx4t-vuptool-en and
the others); install the one language you want.")

    # --- one package per language ---
    foreach(component ${QX4T_PACKAGE_COMPONENTS})
        if(NOT component MATCHES "^lang_(.*)$")
            continue()
        endif()
        set(code ${CMAKE_MATCH_1})
        string(TOUPPER ${component} upper)
        set(CPACK_DEBIAN_${upper}_PACKAGE_NAME ${QX4T_PACKAGE_NAME_${component}})
        set(CPACK_DEBIAN_${upper}_PACKAGE_PROVIDES ${QX4T_LANGUAGE_VIRTUAL})
        # The launcher would take only the first library present: one language at a time.
        set(CPACK_DEBIAN_${upper}_PACKAGE_CONFLICTS ${QX4T_LANGUAGE_VIRTUAL})
        set(CPACK_DEBIAN_${upper}_PACKAGE_REPLACES ${QX4T_LANGUAGE_VIRTUAL})
        set(depends "qx4t-vuptool ${same}")
        if(code MATCHES "^(ja|zh_CN|zh_TW|ko)$")
            # Qt draws these scripts with whatever fonts fontconfig offers; without these they
            # show as boxes.
            string(APPEND depends ", fonts-noto-cjk")
        elseif(code STREQUAL "th")
            # Thai fonts, and the library Qt loads at run time to break Thai text into lines.
            string(APPEND depends ", fonts-thai-tlwg, libthai0")
        endif()
        set(CPACK_DEBIAN_${upper}_PACKAGE_DEPENDS ${depends})
        qx4t_language_name(${code} language)
        set(CPACK_COMPONENT_${upper}_DESCRIPTION "${language} texts and manual for the QX4T version-up wizard
The texts, dialog layouts and pictures of the QX4T firmware version-up wizard
in ${language}, and its operating manual in that language (PDF).
The wizard shows the language of the one language package installed;
installing another replaces this one.")
    endforeach()
endif()

include(CPack)
