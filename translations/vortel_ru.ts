<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>Csv</name>
    <message>
        <source>en</source>
        <comment>code of the interface language</comment>
        <translation>ru</translation>
    </message>
</context>
<context>
    <name>DesktopLink</name>
    <message>
        <source>Could not open %1.</source>
        <translation>Не удалось открыть %1.</translation>
    </message>
</context>
<context>
    <name>DutyColumns</name>
    <message>
        <source>Q at duty, m³/h</source>
        <translation>Q в рабочей точке, м³/ч</translation>
    </message>
    <message>
        <source>P at duty, Pa</source>
        <translation>Pv в рабочей точке, Па</translation>
    </message>
    <message>
        <source>N at duty, kW</source>
        <translation>N в рабочей точке, кВт</translation>
    </message>
    <message>
        <source>Efficiency at duty, %</source>
        <translation>КПД в рабочей точке, %</translation>
    </message>
    <message>
        <source>Motor load, %</source>
        <translation>Загрузка двигателя, %</translation>
    </message>
    <message>
        <source>Stable</source>
        <translation>Устойчивая работа</translation>
    </message>
    <message>
        <source>N at rated temperature, kW</source>
        <translation>N при расчётной температуре, кВт</translation>
    </message>
    <message>
        <source>Motor load at rated temperature, %</source>
        <translation>Загрузка двигателя при расчётной температуре, %</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>да</translation>
    </message>
    <message>
        <source>no</source>
        <translation>нет</translation>
    </message>
</context>
<context>
    <name>DutySchedule</name>
    <message>
        <source>a quote is never closed</source>
        <translation>кавычка не закрыта</translation>
    </message>
    <message>
        <source>no header row</source>
        <translation>нет строки заголовка</translation>
    </message>
    <message>
        <source>the column &quot;%1&quot; is named twice</source>
        <translation>столбец «%1» назван дважды</translation>
    </message>
    <message>
        <source>no column &quot;%1&quot;</source>
        <translation>нет столбца «%1»</translation>
    </message>
    <message>
        <source>%1 fields where %2 are needed</source>
        <translation>полей %1, а нужно %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; in the column &quot;%2&quot; is not a valid number</source>
        <translation>«%1» в столбце «%2» не является допустимым числом</translation>
    </message>
</context>
<context>
    <name>Exporter</name>
    <message>
        <source>CSV table (*.csv)</source>
        <translation>Таблица CSV (*.csv)</translation>
    </message>
    <message>
        <source>Export p&amp;lot...</source>
        <translation>Экспорт &amp;графика...</translation>
    </message>
    <message>
        <source>Export plot</source>
        <translation>Экспорт графика</translation>
    </message>
    <message>
        <source>PNG image (*.png)</source>
        <translation>Изображение PNG (*.png)</translation>
    </message>
    <message>
        <source>SVG drawing (*.svg)</source>
        <translation>Рисунок SVG (*.svg)</translation>
    </message>
    <message>
        <source>PDF document (*.pdf)</source>
        <translation>Документ PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Export &amp;curves...</source>
        <translation>Экспорт &amp;кривых...</translation>
    </message>
    <message>
        <source>Export curves</source>
        <translation>Экспорт кривых</translation>
    </message>
    <message>
        <source>Export &amp;table...</source>
        <translation>Экспорт &amp;таблицы...</translation>
    </message>
    <message>
        <source>Export fan table</source>
        <translation>Экспорт таблицы вентиляторов</translation>
    </message>
    <message>
        <source>Export compariso&amp;n...</source>
        <translation>Экспорт сравнени&amp;я...</translation>
    </message>
    <message>
        <source>Export comparison</source>
        <translation>Экспорт сравнения</translation>
    </message>
    <message>
        <source>The file could not be written:
%1</source>
        <translation>Не удалось записать файл:
%1</translation>
    </message>
</context>
<context>
    <name>FanPlot</name>
    <message>
        <source>Pa</source>
        <comment>Plot</comment>
        <translation>Па</translation>
    </message>
    <message>
        <source>m³/h</source>
        <comment>Plot</comment>
        <translation>м³/ч</translation>
    </message>
    <message>
        <source>m³/s</source>
        <comment>Plot</comment>
        <translation>м³/с</translation>
    </message>
    <message>
        <source>kW</source>
        <comment>Plot</comment>
        <translation>кВт</translation>
    </message>
    <message>
        <source>Подбор по рабочей точке</source>
        <comment>Plot</comment>
        <translation>Подбор по рабочей точке</translation>
    </message>
    <message>
        <source>η, %</source>
        <comment>Plot</comment>
        <translation>η, %</translation>
    </message>
    <message>
        <source>fan</source>
        <comment>Curves file</comment>
        <translation>вентилятор</translation>
    </message>
    <message>
        <source>Q, m³/h</source>
        <comment>Curves file</comment>
        <translation>Q, м³/ч</translation>
    </message>
    <message>
        <source>P at 20 °C, Pa</source>
        <comment>Curves file</comment>
        <translation>Pv при 20 °C, Па</translation>
    </message>
    <message>
        <source>N at 20 °C, kW</source>
        <comment>Curves file</comment>
        <translation>N при 20 °C, кВт</translation>
    </message>
    <message>
        <source>η, %</source>
        <comment>Curves file</comment>
        <translation>КПД η, %</translation>
    </message>
    <message>
        <source>Scheme: %1</source>
        <comment>Curve tip</comment>
        <translation>Схема: %1</translation>
    </message>
    <message>
        <source>Material: %1</source>
        <comment>Curve tip</comment>
        <translation>Исполнение: %1</translation>
    </message>
    <message>
        <source>Speed: %1 rev/min</source>
        <comment>Curve tip</comment>
        <translation>Частота вращения: %1 об/мин</translation>
    </message>
    <message>
        <source>Motor: %1 kW, %2 rev/min</source>
        <comment>Curve tip</comment>
        <translation>Двигатель: %1 кВт, %2 об/мин</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Database file %1 is absent.</source>
        <translation>Файл базы данных %1 отсутствует.</translation>
    </message>
    <message>
        <source>Error loading help!</source>
        <translation>Ошибка загрузки справки!</translation>
    </message>
    <message>
        <source>Selection</source>
        <translation>Подбор</translation>
    </message>
    <message>
        <source>Plot</source>
        <translation>График</translation>
    </message>
    <message>
        <source>Comparison</source>
        <translation>Сравнение</translation>
    </message>
    <message>
        <source>Tech info</source>
        <translation>Тех. информация</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Справка</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Файл</translation>
    </message>
    <message>
        <source>&amp;Unfold tree</source>
        <translation>&amp;Развернуть дерево</translation>
    </message>
    <message>
        <source>&amp;Fold tree</source>
        <translation>&amp;Свернуть дерево</translation>
    </message>
    <message>
        <source>&amp;Search</source>
        <translation>&amp;Поиск</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Выход</translation>
    </message>
    <message>
        <source>Error loading fan tree!</source>
        <translation>Ошибка загрузки дерева вентиляторов!</translation>
    </message>
    <message>
        <source>Error loading tree data!</source>
        <translation>Ошибка загрузки данных дерева!</translation>
    </message>
    <message>
        <source>Diameter</source>
        <comment>Fan Parameter</comment>
        <translation>Диаметр</translation>
    </message>
    <message>
        <source>Speed</source>
        <comment>Fan Parameter</comment>
        <translation>Частота вращения</translation>
    </message>
    <message>
        <source>Power</source>
        <comment>Fan Parameter</comment>
        <translation>Мощность</translation>
    </message>
    <message>
        <source>Material</source>
        <comment>Fan Parameter</comment>
        <translation>Исполнение</translation>
    </message>
    <message>
        <source>Nominal</source>
        <comment>Fan Parameter</comment>
        <translation>Диаметр колеса (доля Dном)</translation>
    </message>
    <message>
        <source>Temperature</source>
        <comment>Fan Parameter</comment>
        <translation>Температура</translation>
    </message>
    <message>
        <source>Filter</source>
        <comment>Selection parameters</comment>
        <translation>Фильтр</translation>
    </message>
    <message>
        <source>Error loading parameters data!</source>
        <translation>Ошибка загрузки данных параметров!</translation>
    </message>
    <message>
        <source>Error loading parameters check states data!</source>
        <translation>Ошибка загрузки состояний отметок параметров!</translation>
    </message>
    <message>
        <source>Model</source>
        <comment>Fan Table</comment>
        <translation>Модель</translation>
    </message>
    <message>
        <source>Diameter, dm</source>
        <comment>Fan Table</comment>
        <translation>Диаметр, дм</translation>
    </message>
    <message>
        <source>Nominal</source>
        <comment>Fan Table</comment>
        <translation>Диаметр колеса (доля Dном)</translation>
    </message>
    <message>
        <source>Material</source>
        <comment>Fan Table</comment>
        <translation>Исполнение</translation>
    </message>
    <message>
        <source>Scheme</source>
        <comment>Fan Table</comment>
        <translation>Схема</translation>
    </message>
    <message>
        <source>Power, KW</source>
        <comment>Fan Table</comment>
        <translation>Nдв, кВт</translation>
    </message>
    <message>
        <source>Speed, rev/min</source>
        <comment>Fan Table</comment>
        <translation>nдв, об/мин</translation>
    </message>
    <message>
        <source>Revs, rev/min</source>
        <comment>Fan Table</comment>
        <translation>n, об/мин</translation>
    </message>
    <message>
        <source>Q, m³/h</source>
        <comment>Fan Table</comment>
        <translation>Q, м³/ч</translation>
    </message>
    <message>
        <source>P, Pa</source>
        <comment>Fan Table</comment>
        <translation>Pv, Па</translation>
    </message>
    <message>
        <source>Error showing fan table!</source>
        <translation>Ошибка отображения таблицы вентиляторов!</translation>
    </message>
    <message>
        <source>Don&apos;t show again</source>
        <translation>Больше не показывать</translation>
    </message>
    <message>
        <source>Search:</source>
        <translation>Поиск:</translation>
    </message>
    <message>
        <source>You may filter search result using checkboxes at the top.</source>
        <translation>Результат поиска можно уточнить флажками вверху.</translation>
    </message>
    <message>
        <source>&amp;Match by working point</source>
        <translation>&amp;Подбор по рабочей точке</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Справка</translation>
    </message>
    <message>
        <source>&amp;Change log</source>
        <translation>&amp;История изменений</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>&amp;О программе...</translation>
    </message>
    <message>
        <source>Vortel Ventilation Ltd.</source>
        <translation>ООО «Вортел Вентиляция»</translation>
    </message>
    <message>
        <source>Tel.: +7 (495) 123-45-67</source>
        <translation>Тел.: +7 (495) 123-45-67</translation>
    </message>
    <message>
        <source>Tel.: +7 (800) 765-43-21</source>
        <translation>Тел.: +7 (800) 765-43-21</translation>
    </message>
    <message>
        <source>About</source>
        <translation>О программе</translation>
    </message>
    <message>
        <source>You may filter match result using checkboxes at the top.</source>
        <translation>Результат подбора можно уточнить флажками вверху.</translation>
    </message>
    <message>
        <source>Ask manager</source>
        <translation>Уточняйте у менеджера</translation>
    </message>
    <message>
        <source>Model</source>
        <comment>Cmp Table</comment>
        <translation>Модель</translation>
    </message>
    <message>
        <source>Diameter, dm</source>
        <comment>Cmp Table</comment>
        <translation>Диаметр, дм</translation>
    </message>
    <message>
        <source>Speed, rev/min</source>
        <comment>Cmp Table</comment>
        <translation>nдв, об/мин</translation>
    </message>
    <message>
        <source>Power, KW</source>
        <comment>Cmp Table</comment>
        <translation>Nдв, кВт</translation>
    </message>
    <message>
        <source>Q, m³/h</source>
        <comment>Cmp Table</comment>
        <translation>Подача Q, м³/ч</translation>
    </message>
    <message>
        <source>P, Pa</source>
        <comment>Cmp Table</comment>
        <translation>Полное давление Pv, Па</translation>
    </message>
    <message>
        <source>Length, mm</source>
        <comment>Cmp Table</comment>
        <translation>Длина, мм</translation>
    </message>
    <message>
        <source>Depth, mm</source>
        <comment>Cmp Table</comment>
        <translation>Ширина, мм</translation>
    </message>
    <message>
        <source>Height, mm</source>
        <comment>Cmp Table</comment>
        <translation>Высота, мм</translation>
    </message>
    <message>
        <source>Weight, kg</source>
        <comment>Cmp Table</comment>
        <translation>Масса, кг</translation>
    </message>
    <message>
        <source>Order online</source>
        <comment>Cmp Table</comment>
        <translation>Заказ на сайте</translation>
    </message>
    <message>
        <source>Description (pdf)</source>
        <comment>Cmp Table</comment>
        <translation>Описание (pdf)</translation>
    </message>
    <message>
        <source>Order is not available.</source>
        <translation>Заказ недоступен.</translation>
    </message>
    <message>
        <source>Description not found.</source>
        <translation>Описание не найдено.</translation>
    </message>
    <message>
        <source>Remove from comparison</source>
        <translation>Убрать из сравнения</translation>
    </message>
    <message>
        <source>Error showing comparison table!</source>
        <translation>Ошибка отображения таблицы сравнения!</translation>
    </message>
    <message>
        <source>Order</source>
        <translation>Заказать</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Открыть</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>&amp;Печать</translation>
    </message>
    <message>
        <source>What are we going to print?</source>
        <translation>Что печатать?</translation>
    </message>
    <message>
        <source>Plot &amp;&amp; tech info</source>
        <translation>График и тех. информацию</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>To see tech info on needed model, select fan(s) of the one model.</source>
        <translation>Чтобы увидеть техническую информацию, выберите вентиляторы одной модели.</translation>
    </message>
    <message>
        <source>Error loading models list!</source>
        <translation>Ошибка загрузки списка моделей!</translation>
    </message>
    <message>
        <source>You can see detailed information in our </source>
        <comment>PDF link</comment>
        <translation>Подробная информация — в нашем </translation>
    </message>
    <message>
        <source>catalog</source>
        <comment>PDF link</comment>
        <translation>каталоге</translation>
    </message>
    <message>
        <source>Ask our managers about technical information on mark %1:</source>
        <translation>Техническую информацию по марке %1 уточняйте у наших менеджеров:</translation>
    </message>
    <message>
        <source>tel. +7 (495) 123-45-67</source>
        <translation>тел. +7 (495) 123-45-67</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Параметры графика</translation>
    </message>
    <message>
        <source>Operating points</source>
        <translation>Рабочие точки</translation>
    </message>
    <message>
        <source>Efficiency</source>
        <translation>КПД</translation>
    </message>
    <message>
        <source>Nominal</source>
        <comment>Cmp Table</comment>
        <translation>Диаметр колеса (доля Dном)</translation>
    </message>
    <message>
        <source>Material</source>
        <comment>Cmp Table</comment>
        <translation>Исполнение</translation>
    </message>
    <message>
        <source>Scheme</source>
        <comment>Cmp Table</comment>
        <translation>Схема</translation>
    </message>
    <message>
        <source>Revs, rev/min</source>
        <comment>Cmp Table</comment>
        <translation>n, об/мин</translation>
    </message>
    <message>
        <source>No fans to show. Choose a class in the tree, search for a designation or match by a working point.</source>
        <translation>Вентиляторов нет. Выберите класс в дереве, найдите типоразмер по обозначению или подберите по рабочей точке.</translation>
    </message>
    <message numerus="yes">
        <source>Found: %n fans</source>
        <translation>
            <numerusform>Найдено: %n вентилятор</numerusform>
            <numerusform>Найдено: %n вентилятора</numerusform>
            <numerusform>Найдено: %n вентиляторов</numerusform>
        </translation>
    </message>
    <message>
        <source>Nothing found for %1</source>
        <translation>Ничего не найдено: %1</translation>
    </message>
    <message>
        <source>the values checked in the filter</source>
        <translation>отмеченные значения фильтра</translation>
    </message>
    <message>
        <source>Settings will not be kept: %1 cannot be written.</source>
        <translation>Настройки не будут сохранены: файл %1 недоступен для записи.</translation>
    </message>
    <message>
        <source>“%1”</source>
        <comment>Searched text</comment>
        <translation>«%1»</translation>
    </message>
    <message>
        <source>Duty: Q = %1 m³/h, Pv = %2 Pa</source>
        <translation>Рабочая точка: Q = %1 м³/ч, Pv = %2 Па</translation>
    </message>
    <message>
        <source>Select for a sc&amp;hedule...</source>
        <translation>Подбор по пере&amp;чню систем...</translation>
    </message>
    <message>
        <source>Select for a schedule</source>
        <translation>Подбор по перечню систем</translation>
    </message>
    <message>
        <source>CSV table (*.csv);;All files (*)</source>
        <translation>Таблица CSV (*.csv);;Все файлы (*)</translation>
    </message>
    <message>
        <source>The schedule cannot be used:
%1</source>
        <translation>Перечень систем нельзя использовать:
%1</translation>
    </message>
    <message>
        <source>Error selecting for the schedule!</source>
        <translation>Ошибка подбора по перечню систем!</translation>
    </message>
    <message>
        <source>the fans chosen in the schedule</source>
        <translation>вентиляторы, выбранные в перечне систем</translation>
    </message>
</context>
<context>
    <name>MatchingWidget</name>
    <message>
        <source>Matching</source>
        <translation>Подбор</translation>
    </message>
    <message>
        <source>Pressure :</source>
        <translation>Полное давление Pv:</translation>
    </message>
    <message>
        <source>±</source>
        <translation>±</translation>
    </message>
    <message>
        <source>Airflow :</source>
        <translation>Подача Q:</translation>
    </message>
    <message>
        <source>Fan types</source>
        <translation>Типы вентиляторов</translation>
    </message>
    <message>
        <source> Pa</source>
        <comment>Pressure unit</comment>
        <translation> Па</translation>
    </message>
    <message>
        <source> %</source>
        <translation> %</translation>
    </message>
    <message>
        <source> m³/h</source>
        <comment>Airflow unit</comment>
        <translation> м³/ч</translation>
    </message>
    <message>
        <source>Match</source>
        <translation>Подобрать</translation>
    </message>
    <message>
        <source>Q = %1 m³/h ±%2 %</source>
        <translation>Q = %1 м³/ч ±%2 %</translation>
    </message>
    <message>
        <source>Pv = %1 Pa ±%2 %</source>
        <translation>Pv = %1 Па ±%2 %</translation>
    </message>
    <message>
        <source>the chosen fan types</source>
        <translation>выбранные типы вентиляторов</translation>
    </message>
</context>
<context>
    <name>OperatingPointItems</name>
    <message>
        <source>Q: %1 m³/h
P: %2 Pa
N: %3 kW
η: %4 %</source>
        <translation>Q: %1 м³/ч
Pv: %2 Па
N: %3 кВт
η: %4 %</translation>
    </message>
</context>
<context>
    <name>OptionsDialog</name>
    <message>
        <source>Tick count</source>
        <comment>Plot options</comment>
        <translation>Число делений</translation>
    </message>
    <message>
        <source>Meaning digits</source>
        <comment>Plot options</comment>
        <translation>Значащие цифры</translation>
    </message>
    <message>
        <source>Linear scale</source>
        <comment>Plot options</comment>
        <translation>Линейная шкала</translation>
    </message>
    <message>
        <source>Logarithmic scale</source>
        <comment>Plot options</comment>
        <translation>Логарифмическая шкала</translation>
    </message>
    <message>
        <source>Show markers</source>
        <comment>Plot options</comment>
        <translation>Подписи кривых</translation>
    </message>
    <message>
        <source>Bottom:</source>
        <comment>Plot options</comment>
        <translation>Снизу:</translation>
    </message>
    <message>
        <source>Top:</source>
        <comment>Plot options</comment>
        <translation>Сверху:</translation>
    </message>
    <message>
        <source>Left:</source>
        <comment>Plot options</comment>
        <translation>Слева:</translation>
    </message>
    <message>
        <source>Right:</source>
        <comment>Plot options</comment>
        <translation>Справа:</translation>
    </message>
    <message>
        <source>Margins</source>
        <comment>Plot options</comment>
        <translation>Поля</translation>
    </message>
    <message>
        <source>Plot options</source>
        <comment>Plot options</comment>
        <translation>Параметры графика</translation>
    </message>
    <message>
        <source> %</source>
        <comment>Plot options</comment>
        <translation> %</translation>
    </message>
    <message>
        <source>Show simple mode</source>
        <comment>Plot options</comment>
        <translation>Простой режим</translation>
    </message>
    <message>
        <source>Show expert mode</source>
        <comment>Plot options</comment>
        <translation>Режим эксперта</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Dn</source>
        <translation>Dном</translation>
    </message>
    <message>
        <source>%1 rev/min</source>
        <translation>%1 об/мин</translation>
    </message>
    <message>
        <source>%1-%2%3 (%4/%5) Ncons</source>
        <translation>%1-%2%3 (%4/%5) Nпотр</translation>
    </message>
</context>
<context>
    <name>ScheduleCommand</name>
    <message>
        <source>unknown argument &quot;%1&quot;</source>
        <translation>неизвестный аргумент «%1»</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>для %1 нужно значение</translation>
    </message>
    <message>
        <source>%1 &quot;%2&quot; is not a valid value</source>
        <translation>%1 «%2»: недопустимое значение</translation>
    </message>
</context>
<context>
    <name>ScheduleDialog</name>
    <message>
        <source>Show on the plot</source>
        <translation>Показать на графике</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>Экспорт...</translation>
    </message>
    <message>
        <source>Export selection for the schedule</source>
        <translation>Экспорт подбора по перечню систем</translation>
    </message>
</context>
<context>
    <name>ScheduleResultModel</name>
    <message>
        <source>Duty</source>
        <translation>Режим</translation>
    </message>
    <message>
        <source>Rank</source>
        <translation>Место</translation>
    </message>
    <message>
        <source>Id</source>
        <translation>Код</translation>
    </message>
    <message>
        <source>Fan</source>
        <translation>Вентилятор</translation>
    </message>
    <message>
        <source>Diameter, dm</source>
        <translation>Диаметр, дм</translation>
    </message>
    <message>
        <source>Revs, rev/min</source>
        <translation>n, об/мин</translation>
    </message>
    <message>
        <source>Cold start load, %</source>
        <translation>Загрузка при холодном пуске, %</translation>
    </message>
    <message>
        <source>Energy, kWh/year</source>
        <translation>Энергия, кВт·ч/год</translation>
    </message>
    <message>
        <source>Motor, kW</source>
        <translation>Двигатель, кВт</translation>
    </message>
    <message>
        <source>t max, °C</source>
        <translation>t макс., °C</translation>
    </message>
</context>
<context>
    <name>UrlButton</name>
    <message>
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
</context>
</TS>
