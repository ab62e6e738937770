<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>GpsLink</name>
    <message>
        <source>Hikewise 不能够连接到 GPS 接收机。你想要继续尝试连接吗?</source>
        <translation>Hikewise cannot connect to the GPS receiver. Do you want to keep trying?</translation>
    </message>
</context>
<context>
    <name>MainMenu</name>
    <message>
        <source>系统颜色</source>
        <translation>System Colours</translation>
    </message>
    <message>
        <source>系统颜色 - 2</source>
        <translation>System Colours - 2</translation>
    </message>
    <message>
        <source>夜晚</source>
        <translation>Night</translation>
    </message>
    <message>
        <source>默认</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>午夜蓝</source>
        <translation>Midnight Blue</translation>
    </message>
    <message>
        <source>工具(&amp;T)</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>配置(&amp;C)</source>
        <translation>&amp;Configure</translation>
    </message>
    <message>
        <source>地图属性(&amp;M)...</source>
        <translation>&amp;Map Properties...</translation>
    </message>
    <message>
        <source>导入路点设置...</source>
        <translation>Waypoint Import Settings...</translation>
    </message>
    <message>
        <source>单位(&amp;U)</source>
        <translation>&amp;Units</translation>
    </message>
    <message>
        <source>杂项设置...</source>
        <translation>Miscellaneous Settings...</translation>
    </message>
    <message>
        <source>设置串口 (通讯端口)</source>
        <translation>Serial Port Settings (COM Port)</translation>
    </message>
    <message>
        <source>回放记录的 NMEA 文件</source>
        <translation>Replay Recorded NMEA File</translation>
    </message>
    <message>
        <source>连接 GPS</source>
        <translation>Connect GPS</translation>
    </message>
    <message>
        <source>记录 NMEA 日志(&amp;R)</source>
        <translation>&amp;Record NMEA Log</translation>
    </message>
    <message>
        <source>开始(&amp;S)</source>
        <translation>&amp;Start</translation>
    </message>
    <message>
        <source>停止(&amp;T)</source>
        <translation>S&amp;top</translation>
    </message>
    <message>
        <source>GPS接收机细节</source>
        <translation>Receiver Details</translation>
    </message>
    <message>
        <source>设置 SiRF NMEA 输出</source>
        <translation>Set SiRF NMEA Output</translation>
    </message>
    <message>
        <source>设置 SiRF 参数...</source>
        <translation>Set SiRF Parameters...</translation>
    </message>
    <message>
        <source>自动检测 GPS...</source>
        <translation>Auto-Detect GPS...</translation>
    </message>
    <message>
        <source>轨迹</source>
        <translation>Track</translation>
    </message>
    <message>
        <source>导出轨迹</source>
        <translation>Export Track</translation>
    </message>
    <message>
        <source>导出为 CSV 文件...</source>
        <translation>Export as CSV File...</translation>
    </message>
    <message>
        <source>导出为 KML 文件...</source>
        <translation>Export as KML File...</translation>
    </message>
    <message>
        <source>导出为 GPX 文件...</source>
        <translation>Export as GPX File...</translation>
    </message>
    <message>
        <source>轨迹文件</source>
        <translation>Track File</translation>
    </message>
    <message>
        <source>新建...</source>
        <translation>New...</translation>
    </message>
    <message>
        <source>打开...</source>
        <translation>Open...</translation>
    </message>
    <message>
        <source>清除当前轨迹(&amp;E)</source>
        <translation>Cl&amp;ear Current Track</translation>
    </message>
    <message>
        <source>视图(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>标签窗口</source>
        <translation>Tabs</translation>
    </message>
    <message>
        <source>按钮和菜单</source>
        <translation>Buttons and Menus</translation>
    </message>
    <message>
        <source>主题颜色</source>
        <translation>Colour Theme</translation>
    </message>
    <message>
        <source>帮助</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>关于 Hikewise(&amp;A)...</source>
        <translation>&amp;About Hikewise...</translation>
    </message>
    <message>
        <source>退出程序(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>路点(&amp;W)</source>
        <translation>&amp;Waypoints</translation>
    </message>
    <message>
        <source>前往路点...</source>
        <translation>Go To Waypoint...</translation>
    </message>
    <message>
        <source>取消前往(&amp;C)</source>
        <translation>&amp;Cancel Go To</translation>
    </message>
    <message>
        <source>在当前位置标记路点(&amp;M)</source>
        <translation>&amp;Mark Waypoint Here</translation>
    </message>
    <message>
        <source>新建路点...</source>
        <translation>New Waypoint...</translation>
    </message>
    <message>
        <source>路点平均</source>
        <translation>Waypoint Averaging</translation>
    </message>
    <message>
        <source>开始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>停止／完成</source>
        <translation>Stop/Finish</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>编辑路点...</source>
        <translation>Edit Waypoint...</translation>
    </message>
    <message>
        <source>删除路点...</source>
        <translation>Delete Waypoint...</translation>
    </message>
    <message>
        <source>在地图上显示路点...</source>
        <translation>Show Waypoint on Map...</translation>
    </message>
    <message>
        <source>路点管理...</source>
        <translation>Waypoint Manager...</translation>
    </message>
    <message>
        <source>文件操作</source>
        <translation>File</translation>
    </message>
    <message>
        <source>导出路点...</source>
        <translation>Export Waypoints...</translation>
    </message>
    <message>
        <source>导入路点...</source>
        <translation>Import Waypoints...</translation>
    </message>
    <message>
        <source>导出 geocache_visits.txt...</source>
        <translation>Export geocache_visits.txt...</translation>
    </message>
    <message>
        <source>路点数据库</source>
        <translation>Waypoint Database</translation>
    </message>
</context>
<context>
    <name>PortEnumeration</name>
    <message>
        <source>无法打开 %s</source>
        <translation>Cannot open %s</translation>
    </message>
</context>
<context>
    <name>ReceiverSearch</name>
    <message>
        <source>正在验证 NMEA...</source>
        <translation>Checking NMEA...</translation>
    </message>
    <message>
        <source>正在改变波特率...</source>
        <translation>Changing the baud rate...</translation>
    </message>
    <message>
        <source>正在搜索 GPS...</source>
        <translation>Searching for the GPS...</translation>
    </message>
    <message>
        <source>正在打开端口...</source>
        <translation>Opening the port...</translation>
    </message>
    <message>
        <source>正在等待数据...</source>
        <translation>Waiting for data...</translation>
    </message>
    <message>
        <source>未找到 GPS 接收机</source>
        <translation>No GPS receiver found</translation>
    </message>
    <message>
        <source>GPS 已找到</source>
        <translation>GPS found</translation>
    </message>
    <message>
        <source>GPS已被发现,但是它不支持所有必要的NMEA语句.Hikewise需要这些NMEA语句正常:GPGGA ,GPGSV ,GPGSA和GPRMC.请与您的GPS制造商联系,以确保这些语句的支持.查看帮助以获取更多信息. </source>
        <translation>A GPS was found, but it does not send all of the NMEA sentences Hikewise needs: GPGGA, GPGSV, GPGSA and GPRMC. Ask the maker of your GPS how to turn these sentences on. The help has more information. </translation>
    </message>
</context>
<context>
    <name>SerialPort</name>
    <message>
        <source>无法连接到 gpsd (%s): %s</source>
        <translation>Cannot connect to gpsd (%s): %s</translation>
    </message>
    <message>
        <source>通信错误</source>
        <translation>Communication Error</translation>
    </message>
    <message>
        <source>无法打开端口.请关闭该应用程序访问通讯端口</source>
        <translation>Cannot open the port. Close the program that is using the port.</translation>
    </message>
</context>
<context>
    <name>SerialTransport</name>
    <message>
        <source>没有权限打开串口设备。请把用户加入 dialout 组 (sudo adduser $USER dialout)，然后重新登录。</source>
        <translation>You may not open the serial device. Add your user to the group dialout (sudo adduser $USER dialout), then log in again.</translation>
    </message>
</context>
<context>
    <name>SirfParameterSetup</name>
    <message>
        <source>失败</source>
        <translation>Fail</translation>
    </message>
    <message>
        <source>The port runs at %u baud, faster than the SiRF switch back to NMEA can carry (57600 baud at most). Set the port to 57600 baud or slower in &quot;设置串口&quot; first; nothing was sent to the receiver.</source>
        <translation>The port runs at %u baud, faster than the SiRF switch back to NMEA can carry (57600 baud at most). Set the port to 57600 baud or slower in &quot;Serial Port Settings (COM Port)&quot; first; nothing was sent to the receiver.</translation>
    </message>
    <message>
        <source>设置成功. </source>
        <translation>Settings applied. </translation>
    </message>
    <message>
        <source>切换到 SiRF 二进制...</source>
        <translation>Switching to SiRF binary...</translation>
    </message>
    <message>
        <source>不能切换到 SiRF 二元模式</source>
        <translation>Cannot switch to SiRF binary mode</translation>
    </message>
    <message>
        <source>设置 WAAS 参数</source>
        <translation>Setting the WAAS parameters</translation>
    </message>
    <message>
        <source>设置静态导航参数...</source>
        <translation>Setting the static navigation parameters...</translation>
    </message>
    <message>
        <source>切换回 NMEA...</source>
        <translation>Switching back to NMEA...</translation>
    </message>
    <message>
        <source>循环连接...</source>
        <translation>Reconnecting...</translation>
    </message>
    <message>
        <source>完成.</source>
        <translation>Done.</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>海拔</source>
        <translation>Altitude</translation>
    </message>
    <message>
        <source>警告:<byte value="xd"/><byte value="xd"/>
驾车时请勿使用 Hikewise . Hikewise 不是设计用于导航目的.<byte value="xd"/><byte value="xd"/>
<byte value="xd"/><byte value="xd"/>
在驾驶车辆或行走时分散注意力会导致事故而造成财产或个人的伤害.<byte value="xd"/><byte value="xd"/>
<byte value="xd"/><byte value="xd"/>
汉化者提醒您:不正确的设置参数将损坏你的GPS接收机,请慎用调整GPS接收机参数.</source>
        <translation>WARNING:<byte value="xd"/><byte value="xd"/>
Do not use Hikewise while driving. Hikewise is not designed for navigation.<byte value="xd"/><byte value="xd"/>
<byte value="xd"/><byte value="xd"/>
Distraction while driving or walking can cause accidents resulting in damage to property or personal injury.<byte value="xd"/><byte value="xd"/>
<byte value="xd"/><byte value="xd"/>
Please note: wrong settings can damage your GPS receiver. Change the receiver&apos;s parameters with care.</translation>
    </message>
    <message>
        <source>纬度</source>
        <translation>Latitude</translation>
    </message>
    <message>
        <source>经度</source>
        <translation>Longitude</translation>
    </message>
    <message>
        <source>最近路点</source>
        <translation>Nearest Waypoint</translation>
    </message>
    <message>
        <source>正在运行...</source>
        <translation>Running...</translation>
    </message>
    <message>
        <source>正在保存应用程序数据...</source>
        <translation>Saving application data...</translation>
    </message>
    <message>
        <source>可见卫星</source>
        <translation>Sats in View</translation>
    </message>
    <message>
        <source>已跟踪卫星</source>
        <translation>Sats Used</translation>
    </message>
    <message>
        <source>平均坡度</source>
        <translation>Average Grade</translation>
    </message>
    <message>
        <source>电池状态</source>
        <translation>Battery</translation>
    </message>
    <message>
        <source>方位</source>
        <translation>Bearing</translation>
    </message>
    <message>
        <source>方位符号</source>
        <translation>Bearing Pointer</translation>
    </message>
    <message>
        <source>航向</source>
        <translation>Course</translation>
    </message>
    <message>
        <source>航向符号</source>
        <translation>Course Pointer</translation>
    </message>
    <message>
        <source>交叉轨迹错误</source>
        <translation>Cross-Track Error</translation>
    </message>
    <message>
        <source>轨迹错误</source>
        <translation>Off Course</translation>
    </message>
    <message>
        <source>到路点距离</source>
        <translation>Dist. to Waypoint</translation>
    </message>
    <message>
        <source>坡度</source>
        <translation>Grade</translation>
    </message>
    <message>
        <source>最大坡度</source>
        <translation>Max Grade</translation>
    </message>
    <message>
        <source>最小坡度</source>
        <translation>Min Grade</translation>
    </message>
    <message>
        <source>空白</source>
        <translation>Blank</translation>
    </message>
    <message>
        <source>速度</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>时间 (12小时)</source>
        <translation>Time (12 h)</translation>
    </message>
    <message>
        <source>时间 (24小时)</source>
        <translation>Time (24 h)</translation>
    </message>
    <message>
        <source>时间 (UTC)</source>
        <translation>Time (UTC)</translation>
    </message>
    <message>
        <source>高度差</source>
        <translation>Altitude Change</translation>
    </message>
    <message>
        <source>平均速度</source>
        <translation>Average Speed</translation>
    </message>
    <message>
        <source>平均坡度上升</source>
        <translation>Average Ascent Grade</translation>
    </message>
    <message>
        <source>平均坡度下降</source>
        <translation>Average Descent Grade</translation>
    </message>
    <message>
        <source>里程表</source>
        <translation>Trip Odometer</translation>
    </message>
    <message>
        <source>ETA (12小时)</source>
        <translation>ETA (12 h)</translation>
    </message>
    <message>
        <source>最大高度</source>
        <translation>Max Altitude</translation>
    </message>
    <message>
        <source>最大速度</source>
        <translation>Max Speed</translation>
    </message>
    <message>
        <source>最小高度</source>
        <translation>Min Altitude</translation>
    </message>
    <message>
        <source>总计上升高度</source>
        <translation>Total Ascent</translation>
    </message>
    <message>
        <source>总计下降高度</source>
        <translation>Total Descent</translation>
    </message>
    <message>
        <source>旅行持续时间</source>
        <translation>Trip Time</translation>
    </message>
    <message>
        <source>天</source>
        <translation>days</translation>
    </message>
    <message>
        <source>显示 Geocache 信息...</source>
        <translation>Show Geocache Info...</translation>
    </message>
    <message>
        <source>错误
无法显示 Geocache 信息</source>
        <translation>Error
Cannot show the geocache information</translation>
    </message>
    <message>
        <source>导出 geocache_visits.txt...</source>
        <translation>Export geocache_visits.txt...</translation>
    </message>
    <message>
        <source>无法创建导出文件.操作取消.</source>
        <translation>Cannot create the export file. Nothing was exported.</translation>
    </message>
    <message>
        <source>是否标记所有 &quot;已发现&quot;的 caches 为 &quot;已发现和已记录&quot;?</source>
        <translation>Mark all &quot;Found it&quot; caches as &quot;Found it and logged&quot;?</translation>
    </message>
    <message>
        <source>Cache状态设置为&quot;已找到&quot;.是否上传此记录?</source>
        <translation>The cache is marked &quot;Found it&quot;. Add this visit to the field notes for upload?</translation>
    </message>
</context>
<context>
    <name>TabPages</name>
    <message>
        <source>面板</source>
        <translation>Gauges</translation>
    </message>
    <message>
        <source>旅行</source>
        <translation>Trip</translation>
    </message>
    <message>
        <source>地图</source>
        <translation>Map</translation>
    </message>
    <message>
        <source>分析</source>
        <translation>Analysis</translation>
    </message>
</context>
<context>
    <name>UnitsDialog</name>
    <message>
        <source>单位</source>
        <translation>Units</translation>
    </message>
    <message>
        <source>距离/速度:</source>
        <translation>Distance/speed:</translation>
    </message>
    <message>
        <source>高度/仰角:</source>
        <translation>Altitude/elevation:</translation>
    </message>
    <message>
        <source>位置格式:</source>
        <translation>Position format:</translation>
    </message>
    <message>
        <source>法定</source>
        <translation>Statute</translation>
    </message>
    <message>
        <source>海里</source>
        <translation>Nautical</translation>
    </message>
    <message>
        <source>公制</source>
        <translation>Metric</translation>
    </message>
    <message>
        <source>英尺</source>
        <translation>Feet</translation>
    </message>
    <message>
        <source>米</source>
        <translation>Metres</translation>
    </message>
</context>
<context>
    <name>hw::CMainFrame</name>
    <message>
        <source>无法够创建记录文件。请检查文件名字然后再试.</source>
        <translation>Cannot create the log file. Check the file name and try again.</translation>
    </message>
    <message>
        <source>文件错误!</source>
        <translation>File error!</translation>
    </message>
    <message>
        <source>Hikewise - 演示</source>
        <translation>Hikewise - Demo</translation>
    </message>
    <message>
        <source>演示</source>
        <translation>Demo</translation>
    </message>
    <message>
        <source>内置的演示路线: 轨迹和位置不会保存</source>
        <translation>Built-in demo walk: the track and the position are not saved</translation>
    </message>
    <message>
        <source>此选项将发送初始化字符串的GPS,启用具体的NMEA语句.这是SiRF具体初始化.是否要继续?</source>
        <translation>This sends an initialisation string to the GPS that turns on particular NMEA sentences. It is meant for SiRF receivers only. Do you want to continue?</translation>
    </message>
    <message>
        <source>这些设定专为基于 SiRF 的 GPS 接收机而设计。个别功能可能要依赖于硬件和制造商的支持。你想要继续吗?</source>
        <translation>These settings are meant for GPS receivers built on SiRF chip sets. Some functions depend on the hardware and its maker&apos;s support. Do you want to continue?</translation>
    </message>
    <message>
        <source>记录 NMEA 日志</source>
        <translation>Record NMEA Log</translation>
    </message>
    <message>
        <source>回放记录的 NMEA 文件</source>
        <translation>Replay Recorded NMEA File</translation>
    </message>
    <message>
        <source>关于 Hikewise</source>
        <translation>About Hikewise</translation>
    </message>
    <message>
        <source>最近路点</source>
        <translation>Nearest Waypoint</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Hikewise %1&lt;/h3&gt;&lt;p&gt;为徒步旅行者和寻宝者设计的 GPS 伴侣。&lt;/p&gt;&lt;p&gt;卫星、仪表、旅行、地图和分析，路点和 geocache 数据库，NMEA 日志记录和回放。&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Hikewise %1&lt;/h3&gt;&lt;p&gt;A GPS companion for hikers and geocachers.&lt;/p&gt;&lt;p&gt;Satellites, gauges, trip, map and analysis; a waypoint and geocache database; NMEA logging and replay.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>hw::CPicEdit</name>
    <message>
        <source>撤消</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>剪切</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>粘贴</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
</context>
<context>
    <name>hw::CommandBars</name>
    <message>
        <source>菜单和图标</source>
        <translation>Menu and Icons</translation>
    </message>
</context>
<context>
    <name>hw::DisclaimerDialog</name>
    <message>
        <source>下次不再显示此信息</source>
        <translation>Do not show this again</translation>
    </message>
</context>
<context>
    <name>hw::GpsdConnection</name>
    <message>
        <source>连接被拒绝 (gpsd 没有运行?)</source>
        <translation>connection refused (is gpsd running?)</translation>
    </message>
    <message>
        <source>连接超时</source>
        <translation>connection timed out</translation>
    </message>
    <message>
        <source>无法到达主机</source>
        <translation>host unreachable</translation>
    </message>
    <message>
        <source>找不到主机: </source>
        <translation>host not found: </translation>
    </message>
</context>
<context>
    <name>hw::ImportSettingsDialog</name>
    <message>
        <source>导入路点设定</source>
        <translation>Waypoint Import Settings</translation>
    </message>
    <message>
        <source>保留现有路点</source>
        <translation>Keep existing waypoints</translation>
    </message>
    <message>
        <source>覆盖现有路点</source>
        <translation>Overwrite existing waypoints</translation>
    </message>
    <message>
        <source>在导入路点时:</source>
        <translation>When importing waypoints:</translation>
    </message>
</context>
<context>
    <name>hw::InitialSetupDialog</name>
    <message>
        <source>欢迎使用Hikewise 配置程序。你想让Hikewise尝试寻找GPS接收器吗？ 如果你选择不你可以稍后使用菜单 工具-&gt;GPS-&gt;自动检测 GPS.</source>
        <translation>Welcome to Hikewise&apos;s set-up. Shall Hikewise look for your GPS receiver? If you choose not to, you can do it later from the menu Tools-&gt;GPS-&gt;Auto-Detect GPS.</translation>
    </message>
    <message>
        <source>开始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>跳过</source>
        <translation>Skip</translation>
    </message>
</context>
<context>
    <name>hw::MapPageParts</name>
    <message>
        <source>路点</source>
        <translation>Waypoints</translation>
    </message>
</context>
<context>
    <name>hw::MiscSettingsDialog</name>
    <message>
        <source>杂项设定</source>
        <translation>Miscellaneous Settings</translation>
    </message>
    <message>
        <source>禁止系统自动休眠</source>
        <translation>Keep the system from sleeping</translation>
    </message>
    <message>
        <source>旧版路点文件与非 UTF-8 的 LOC、CSV 文件的代码页 (936: 简体中文)</source>
        <translation>Code page of old waypoint files and of LOC and CSV files that are not UTF-8 (936: Simplified Chinese)</translation>
    </message>
    <message>
        <source>中文</source>
        <translation>Chinese</translation>
    </message>
    <message>
        <source>英文</source>
        <translation>English</translation>
    </message>
    <message>
        <source>桌面系统的语言</source>
        <translation>Desktop&apos;s language</translation>
    </message>
    <message>
        <source>ANSI 代码页:</source>
        <translation>ANSI code page:</translation>
    </message>
    <message>
        <source>界面语言:</source>
        <translation>Language:</translation>
    </message>
    <message>
        <source>更改的界面语言在下次启动程序时生效。</source>
        <translation>A new language takes effect the next time Hikewise starts.</translation>
    </message>
    <message>
        <source>代码页 %1 不可用。</source>
        <translation>Code page %1 is not available.</translation>
    </message>
</context>
<context>
    <name>hw::PortSettingsDialog</name>
    <message>
        <source>通信端口设定</source>
        <translation>Serial Port Settings</translation>
    </message>
    <message>
        <source>启用自动重连</source>
        <translation>Reconnect automatically</translation>
    </message>
    <message>
        <source>端口:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>设备:</source>
        <translation>Device:</translation>
    </message>
    <message>
        <source>波特率:</source>
        <translation>Baud rate:</translation>
    </message>
    <message>
        <source>gpsd 地址无效。请输入 主机:端口，例如 %1</source>
        <translation>The gpsd address is not valid. Enter HOST:PORT, for example %1</translation>
    </message>
    <message>
        <source>错误 - 无法列举串口</source>
        <translation>Error - cannot list the serial ports</translation>
    </message>
</context>
<context>
    <name>hw::ReceiverSearchDialog</name>
    <message>
        <source>查找 GPS</source>
        <translation>Find GPS</translation>
    </message>
    <message>
        <source>端口:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>波特率:</source>
        <translation>Baud rate:</translation>
    </message>
    <message>
        <source>状态:</source>
        <translation>Status:</translation>
    </message>
</context>
<context>
    <name>hw::SirfSettingsDialog</name>
    <message>
        <source>SiRF GPS 设定</source>
        <translation>SiRF GPS Settings</translation>
    </message>
    <message>
        <source>启用静态导航</source>
        <translation>Enable static navigation</translation>
    </message>
    <message>
        <source>启用 WAAS/EGNOS</source>
        <translation>Enable WAAS/EGNOS</translation>
    </message>
    <message>
        <source>NMEA 频率 (秒):</source>
        <translation>NMEA interval (seconds):</translation>
    </message>
</context>
<context>
    <name>hw::UserDialogs</name>
    <message>
        <source>%1 已存在。要替换它吗?</source>
        <translation>%1 already exists. Do you want to replace it?</translation>
    </message>
</context>
</TS>
