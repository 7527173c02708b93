# The program's man page, made by help2man from its own --help and --version at build time, and
# its bash completion; both install with the program (component cli).
find_program(NORV_HELP2MAN help2man)
if(NORV_HELP2MAN)
  set(man ${CMAKE_CURRENT_BINARY_DIR}/norvgpssim.1)
  add_custom_command(OUTPUT ${man}.gz
    COMMAND ${NORV_HELP2MAN} --no-info --section=1 "--name=simulated GPS receiver writing NMEA 0183"
            --output=${man} $<TARGET_FILE:norvgpssim>
    COMMAND gzip -9nf ${man}
    DEPENDS norvgpssim VERBATIM)
  add_custom_target(norvgpssim_man ALL DEPENDS ${man}.gz)
  install(FILES ${man}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT cli)
else()
  message(WARNING "help2man not found: the norvgpssim man page is not built (scripts/setup.sh installs it)")
endif()
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/norvgpssim.bash-completion
  DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME norvgpssim COMPONENT cli)
