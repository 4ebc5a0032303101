# One static library per subsystem folder; the Qt views of a folder's widgets/ go into a
# second library so that the logic never links QtWidgets.
function(modelos_modulo nombre)
    cmake_parse_arguments(M "" "" "DEPENDE;DEPENDE_VISTAS;LIBS" ${ARGN})
    file(GLOB fuentes CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
    list(FILTER fuentes INCLUDE REGEX "\\.(cpp|qrc)$")
    add_library(${nombre} STATIC ${fuentes})
    set_property(GLOBAL APPEND PROPERTY MODELOS_BIBLIOTECAS ${nombre})
    # What the header check reads: the folder of the library's headers and what it links.
    list(JOIN M_DEPENDE "," deps)
    set_property(GLOBAL APPEND PROPERTY MODELOS_CABECERAS
        "${nombre}=${CMAKE_CURRENT_SOURCE_DIR}=$<TARGET_FILE:${nombre}>=${deps}")
    target_include_directories(${nombre} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${nombre} PUBLIC Qt6::Core Qt6::Gui Qt6::Sql ${M_DEPENDE} ${M_LIBS})
    file(GLOB vistas CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/widgets/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/widgets/*.h
        ${CMAKE_CURRENT_SOURCE_DIR}/widgets/*.qrc)
    if(vistas)
        add_library(${nombre}_widgets STATIC ${vistas})
        set_property(GLOBAL APPEND PROPERTY MODELOS_BIBLIOTECAS ${nombre}_widgets)
        list(JOIN M_DEPENDE_VISTAS "," deps)
        set_property(GLOBAL APPEND PROPERTY MODELOS_CABECERAS
            "${nombre}_widgets=${CMAKE_CURRENT_SOURCE_DIR}/widgets=$<TARGET_FILE:${nombre}_widgets>=${nombre},${deps}")
        target_include_directories(${nombre}_widgets PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/widgets)
        target_link_libraries(${nombre}_widgets PUBLIC ${nombre} Qt6::Widgets ${M_DEPENDE_VISTAS})
    endif()
endfunction()

# One GoogleTest program per test folder (the widget tests of a folder get their own, with a
# QApplication main); every test runs offscreen. PROPIEDADES: more CTest properties of its tests;
# PREFIJO: what their CTest names begin with (a program that runs other folders' tests again).
function(modelos_pruebas nombre)
    cmake_parse_arguments(M "" "DIR;PREFIJO" "DEPENDE;DEPENDE_VISTAS;PROPIEDADES" ${ARGN})
    set(d ${CMAKE_CURRENT_SOURCE_DIR}/${M_DIR})
    # The test mains set the rest of the environment themselves (tests/comun/EntornoPruebas.h).
    set(entorno "QT_QPA_PLATFORM=offscreen")
    file(GLOB fuentes CONFIGURE_DEPENDS ${d}/*.cpp ${d}/*.h)
    add_executable(${nombre} ${fuentes})
    target_link_libraries(${nombre} PRIVATE ${M_DEPENDE} pruebas_comun GTest::gtest Qt6::Test)
    gtest_discover_tests(${nombre} DISCOVERY_MODE PRE_TEST TEST_PREFIX "${M_PREFIJO}"
        PROPERTIES ENVIRONMENT "${entorno}" ${M_PROPIEDADES})
    file(GLOB vistas CONFIGURE_DEPENDS ${d}/widgets/*.cpp ${d}/widgets/*.h)
    if(vistas)
        add_executable(${nombre}_widgets ${vistas})
        target_link_libraries(${nombre}_widgets PRIVATE ${M_DEPENDE} ${M_DEPENDE_VISTAS} pruebas_comun_widgets
            GTest::gtest Qt6::Test Qt6::Widgets)
        gtest_discover_tests(${nombre}_widgets DISCOVERY_MODE PRE_TEST PROPERTIES ENVIRONMENT "${entorno}")
    endif()
endfunction()
